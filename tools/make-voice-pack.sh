#!/usr/bin/env bash
# Regenerates the default voice pack in sounds/ from Debian packages only.
#
#   bash tools/make-voice-pack.sh               write every WAV file of sounds/ anew
#   bash tools/make-voice-pack.sh --check       only list the pack's files with format and silences
#   bash tools/make-voice-pack.sh --compare DIR render sample words with every candidate voice into DIR
#
# Needs Debian 12; installs festival, its HTS voice and sox when they are missing (as root, or
# through sudo). The output is the same on every run: the synthesiser is deterministic and
# sox runs in repeatable mode. sounds/horavox.txt (the user guide) is written by hand and left alone.
#
# What it writes, all mono, 16-bit PCM, 22050 Hz:
#   0.WAV .. 20.WAV, 30.WAV, 40.WAV, 50.WAV, AM.WAV, PM.WAV   one spoken word each
#   ding.WAV, dingding.WAV   one strike and a pair of strikes of a ship's bell (eight-bells scheme)
#   PREFIX.WAV               a soft two-tone chime before each announcement
#   testsnd.wav              a short quiet sound, only opened to probe the sound device
# There is deliberately no SUFFIX file: the announcement stays short, and a missing suffix
# is silently skipped. Users add SUFFIX.WAV (or PREFIX*.WAV / SUFFIX*.WAV sets) themselves.
#
# Choice of voice. Candidates that Debian ships were rendered word by word and compared by
# bandwidth, duration and how well an offline recogniser (pocketsphinx with its US English model,
# limited to the clock's 26 words) could tell the words apart:
#   festival voice_cmu_us_slt_arctic_hts  32 kHz, HTS statistical voice, smooth and natural; 25/26
#   flite awb / rms                       16 kHz clustergen; 26/26 but narrower and buzzier
#                                         (awb has a strong Scottish accent)
#   flite slt                             16 kHz; 23/26, confuses forty/fourteen, fifty/fifteen
#   espeak-ng en-us (and +f variants)     formant synthesis, robotic; 20-22/26
#   flite kal                             8 kHz diphones, telephone quality; 8/26
# The HTS slt voice is the most natural and clearest of them and has the widest bandwidth, so it
# speaks the words. (Its one miss, a bare "oh", is recognised too once trimmed and levelled as
# below: all 26 finished words pass.)
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
out="$top/sounds"
rate=22050

# Words as files and as the text the synthesiser reads. "0" is read as "oh": it is the hour
# zero of the 24-hour clock and the word before a single-digit minute.
words=(
  "0:oh" "1:one" "2:two" "3:three" "4:four" "5:five" "6:six" "7:seven" "8:eight" "9:nine"
  "10:ten" "11:eleven" "12:twelve" "13:thirteen" "14:fourteen" "15:fifteen" "16:sixteen"
  "17:seventeen" "18:eighteen" "19:nineteen" "20:twenty" "30:thirty" "40:forty" "50:fifty"
  "AM:A. M." "PM:P. M."
)

need_packages() {
  bash "$top/tools/install-packages.sh" "$@"
}

# Level of a file as "peak_dB rms_peak_dB": the sample peak and the RMS of the loudest 50 ms
# window. (sox's own windowed figure is unreliable on files this short, so it is worked out here.)
levels() {
  sox "$1" -t dat - 2>/dev/null | awk -v r="$(soxi -r "$1")" '
    /^;/ {next}
    { n++; x[n] = $2 * $2; v = $2 < 0 ? -$2 : $2; if (v > pk) pk = v }
    END { w = int(r * 0.05); if (w > n) w = n
          for (i = 1; i <= n; i++) { s += x[i]; if (i > w) s -= x[i - w]
                                     if (i >= w && s > best) best = s }
          printf "%.2f %.2f\n", (pk > 0 ? 20 * log(pk) / log(10) : -200),
                               (best > 0 ? 10 * log(best / w) / log(10) : -200) }'
}

# Milliseconds of silence (below -60 dBFS, the words' trim level) at the start and at the end.
edge_silence() {
  sox "$1" -t dat - 2>/dev/null | awk -v r="$(soxi -r "$1")" '
    /^;/ {next}
    { n++; v = $2 < 0 ? -$2 : $2; if (v >= 0.001) { if (!first) first = n; last = n } }
    END { if (!first) { printf "all silent"; exit }
          printf "%6.1f %6.1f", (first - 1) * 1000 / r, (n - last) * 1000 / r }'
}

check_pack() {
  printf "%-14s %4s %4s %6s %8s %7s %7s %7s %7s\n" file ch bits rate seconds lead_ms tail_ms peak_dB rms_pk
  local f
  for f in "$out"/*.WAV "$out"/*.wav; do
    [ -e "$f" ] || continue
    read -r pk rp < <(levels "$f")
    printf "%-14s %4s %4s %6s %8.3f %15s %7s %7s\n" "$(basename "$f")" "$(soxi -c "$f")" \
      "$(soxi -b "$f")" "$(soxi -r "$f")" "$(soxi -D "$f")" "$(edge_silence "$f")" "$pk" "$rp"
  done
  du -sh --apparent-size "$out" | awk '{print "pack size: " $1}'
}

compare_voices() {
  local dir=$1 w t
  need_packages espeak-ng flite festival festvox-us-slt-hts sox
  mkdir -p "$dir"
  for w in "oh" "seven" "fourteen" "forty" "P. M."; do
    t=${w//[ .]/}
    espeak-ng -v en-us -w "$dir/espeak-en-us_$t.wav" "$w"
    espeak-ng -v en-us+f3 -w "$dir/espeak-en-us-f3_$t.wav" "$w"
    for v in slt kal awb rms; do flite -voice "$v" -t "$w" -o "$dir/flite-${v}_$t.wav"; done
    echo "$w" | text2wave -eval '(voice_cmu_us_slt_arctic_hts)' -o "$dir/festival-slt-hts_$t.wav"
  done
  for f in "$dir"/*.wav; do printf "%-36s %6s Hz %6.3f s\n" "$(basename "$f")" "$(soxi -r "$f")" "$(soxi -D "$f")"; done
}

case "${1:-}" in
  --check) check_pack; exit 0 ;;
  --compare) compare_voices "${2:?usage: $0 --compare DIR}"; exit 0 ;;
  "") ;;
  *) echo "usage: $0 [--check | --compare DIR]" >&2; exit 2 ;;
esac

need_packages festival festlex-cmu festvox-us-slt-hts sox

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
float=(-r "$rate" -c 1 -e floating-point -b 32)
pcm=(-r "$rate" -c 1 -e signed-integer -b 16)

# ---- Words -------------------------------------------------------------------------------
# Loudness is matched on the loudest 50 ms window (the stressed vowel), which is what the ear
# compares between words; whole-file RMS would favour words without hissing consonants.
word_rms_pk=-15   # dBFS
word_peak_max=-1  # dBFS, never exceeded
for entry in "${words[@]}"; do
  name=${entry%%:*}
  text=${entry#*:}
  printf '%s\n' "$text" > "$work/text.txt"
  text2wave -eval '(voice_cmu_us_slt_arctic_hts)' "$work/text.txt" -o "$work/raw.wav"
  # Drop the last 50 ms, where the vocoder leaves a faint burst of noise after the closing
  # pause (it would hold the end trim open), and remove DC offset and rumble before measuring.
  sox -R "$work/raw.wav" "${float[@]}" "$work/clean.wav" trim 0 -0.05 highpass 70 rate -v "$rate"
  read -r pk rp < <(levels "$work/clean.wav")
  gain=$(awk -v pk="$pk" -v rp="$rp" -v t="$word_rms_pk" -v m="$word_peak_max" \
    'BEGIN { g = t - rp; if (pk + g > m) g = m - pk; printf "%.2f", g }')
  # Trim to the voice tightly, soften the cut edges, keep 5 ms before and 15 ms after.
  # (Two runs: the fade-out needs a known length, which the silence effect hides.)
  sox -R "$work/clean.wav" "$work/trimmed.wav" gain "$gain" \
    silence 1 0.003 -60d reverse silence 1 0.003 -60d reverse
  sox -R "$work/trimmed.wav" "${pcm[@]}" "$out/$name.WAV" fade t 0.002 -0 0.008 pad 0.005 0.015
done

# ---- Bells -------------------------------------------------------------------------------
# A bell's partials are inharmonic and die away at different rates: the low hum rings longest,
# the high partials are gone within a fraction of a second. A doublet beside the prime gives
# the slow beat of a real bell. Each partial decays exponentially (a logarithmic fade falls
# linearly in dB, 100 dB over its length); the attack is 2 ms, smooth enough not to click.
bell_f0=880
#          ratio  amplitude  seconds to -100 dB
partials=(
  "0.5     0.35   3.2"
  "1.0     1.00   2.8"
  "1.004   0.30   2.6"
  "1.19    0.55   2.2"
  "1.51    0.25   1.6"
  "2.0     0.70   1.8"
  "2.52    0.35   1.2"
  "2.71    0.30   1.0"
  "3.0     0.25   0.8"
  "4.18    0.15   0.45"
  "5.43    0.08   0.25"
)
strike_len=1.9
mix_args=()
i=0
for p in "${partials[@]}"; do
  read -r ratio amp len <<< "$p"
  freq=$(awk -v r="$ratio" -v f="$bell_f0" 'BEGIN { printf "%.2f", r * f }')
  sox -R -n "${float[@]}" "$work/partial$i.wav" synth "$len" sine "$freq" fade h 0.004 fade l 0 "$len" "$len"
  # Mixed at a fifth of the amplitude so that the sum stays below full scale (sox clips floats too).
  mix_args+=(-v "$(awk -v a="$amp" 'BEGIN { print a / 5 }')" "$work/partial$i.wav")
  i=$((i + 1))
done
# The clapper's knock: a few milliseconds of band-limited noise.
sox -R -n "${float[@]}" "$work/knock.wav" synth 0.03 whitenoise fade h 0.002 fade l 0 0.03 0.03 \
  bandpass 3500 1.5q
mix_args+=(-v 0.03 "$work/knock.wav")
sox -R -m "${mix_args[@]}" "${float[@]}" "$work/strike_raw.wav" \
  trim 0 "$strike_len" fade h 0 "$strike_len" 0.3
sox -R "$work/strike_raw.wav" "$work/strike.wav" gain -n -3

sox -R "$work/strike.wav" "${pcm[@]}" "$out/ding.WAV"
# A pair as the bell is rung: the second blow 0.4 s after the first, a little lighter, and the
# two ringing out together; the ring after the pair is kept short so that the pairs of a
# many-bell hour follow one another at a ship's pace.
pair_gap=0.4
sox -R "$work/strike.wav" "$work/second.wav" pad "$pair_gap" 0
sox -R -m -v 0.5 "$work/strike.wav" -v 0.425 "$work/second.wav" "${float[@]}" "$work/pair.wav" \
  trim 0 2.1 fade h 0 2.1 0.35
# Back to the single strike's level (the mix halved it), unless the overlap would then pass -1 dBFS.
read -r pk rp < <(levels "$work/pair.wav")
pair_gain=$(awk -v pk="$pk" 'BEGIN { g = 6.02; if (pk + g > -1) g = -1 - pk; printf "%.2f", g }')
sox -R "$work/pair.wav" "${pcm[@]}" "$out/dingding.WAV" gain "$pair_gain"

# ---- Prefix chime ------------------------------------------------------------------------
# Two soft tones a major third apart (G5 then E5), sine with a faint octave, gentle attack,
# a little softer than the voice so that it announces without startling.
chime_tone() { # frequency, output
  local f2
  f2=$(awk -v f="$1" 'BEGIN { printf "%.2f", 2 * f }')
  sox -R -n "${float[@]}" "$work/fund.wav" synth 1.0 sine "$1" fade q 0.012 fade l 0 1.0 1.0
  sox -R -n "${float[@]}" "$work/oct.wav" synth 0.5 sine "$f2" fade q 0.012 fade l 0 0.5 0.5
  sox -R -m -v 0.4 "$work/fund.wav" -v 0.05 "$work/oct.wav" "${float[@]}" "$2"
}
chime_tone 783.99 "$work/tone1.wav"
chime_tone 659.26 "$work/tone2.wav"
sox -R "$work/tone2.wav" "$work/tone2d.wav" pad 0.22 0
sox -R -m -v 1 "$work/tone1.wav" -v 1 "$work/tone2d.wav" "${float[@]}" "$work/chime.wav" \
  trim 0 0.55 fade h 0 0.55 0.15
read -r pk rp < <(levels "$work/chime.wav")
chime_gain=$(awk -v rp="$rp" 'BEGIN { printf "%.2f", -19 - rp }')
sox -R "$work/chime.wav" "${pcm[@]}" "$out/PREFIX.WAV" gain "$chime_gain"

# ---- Device probe ------------------------------------------------------------------------
# Only opened, never played on purpose; quiet and short in case a player does play it.
sox -R -n "${pcm[@]}" "$out/testsnd.wav" synth 0.05 sine 440 vol -40dB fade h 0.01 0.05 0.01

check_pack
