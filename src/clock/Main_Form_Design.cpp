#include "clock/Main_Form_Design.h"

std::string Application_Title(const std::string& version)
{
    return std::string(Product_Name) + " " + version;
}
