#pragma once
#include <memory>

// Reads the system's font configuration on a thread of its own, so that it
// overlaps the toolkit's connection to the display and the window's mapping
// instead of holding up the first measurement of text, which would read it
// there. Where the system has no such configuration, nothing runs.
class TFont_Configuration_Read_Ahead {
public:
    TFont_Configuration_Read_Ahead();
    // Waits for the read.
    ~TFont_Configuration_Read_Ahead();
    TFont_Configuration_Read_Ahead(const TFont_Configuration_Read_Ahead&) = delete;
    TFont_Configuration_Read_Ahead& operator=(const TFont_Configuration_Read_Ahead&) = delete;

    // Returns when the configuration has been read. Call it before anything
    // measures text: a second reader started meanwhile would read it again.
    void Wait();

private:
    struct TReader;
    std::unique_ptr<TReader> reader_;
};
