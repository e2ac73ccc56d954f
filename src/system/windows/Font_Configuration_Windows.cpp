#include "system/Font_Configuration.h"

// The system's fonts need no configuration read.
struct TFont_Configuration_Read_Ahead::TReader {};

TFont_Configuration_Read_Ahead::TFont_Configuration_Read_Ahead() = default;

TFont_Configuration_Read_Ahead::~TFont_Configuration_Read_Ahead() = default;

void TFont_Configuration_Read_Ahead::Wait() {}
