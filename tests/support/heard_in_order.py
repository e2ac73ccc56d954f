"""Waits until word files are heard in order in a recording of what a sound
server played, each at its offset in the render (the files one after the
other) within 1 ms; prints "yes" or what was heard instead.
  heard_in_order.py RECORDING START_BYTE SECONDS WORD.wav...
RECORDING is raw mono 16-bit samples, still growing; SECONDS is how long to
wait at most."""
import sys
import time
import wave

recording, start, seconds = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
words = []
for path in sys.argv[4:]:
    with wave.open(path) as word:
        words.append(word.readframes(word.getnframes()))
deadline = time.monotonic() + seconds
while True:
    with open(recording, 'rb') as heard_file:
        heard = heard_file.read()[start:]
    found, at = [], 0
    for word in words:
        position = heard.find(word, at)
        # Samples are two bytes: a match at an odd offset is a coincidence.
        while position >= 0 and position % 2:
            position = heard.find(word, position + 1)
        if position < 0:
            break
        found.append(position // 2)
        at = position + len(word)
    if len(found) == len(words) or time.monotonic() > deadline:
        break
    time.sleep(0.1)
offsets = [sum(len(word) for word in words[:i]) // 2 for i in range(len(words))]
late = [f - found[0] - o for f, o in zip(found, offsets)]
# 22 samples are 1 ms at the voice's 22050 Hz.
if len(found) == len(words) and all(abs(d) <= 22 for d in late):
    print('yes')
else:
    print('%d of %d words heard, samples late against the render: %s' % (len(found), len(words), late))
