#pragma once
#include <cstdint>
#include <string>

// The process number in a temporary name "<target>.<pid>-<n>.tmp" that a
// crash-safe save makes beside `target_name`; 0 for any other name.
std::uint32_t Temporary_Owner(const std::string& name, const std::string& target_name);
