#pragma once
// The texts of modem dialing: port names, the dial command, error captions.

#include <cstddef>

// "COM1" to "COM4", "Unknown" for any other number.
const char* PortName(int portNumber);

// Room for the modem's dial command ("Prefix") and its terminator.
constexpr std::size_t kPrefixSize = 20;

// Prefix, dial string and a carriage return: what the modem is sent.
void BuildDialCommand(const char* prefix, const char* dialString, char* out, std::size_t size);

// "Dialing: keys" and the two lines that tell the user what to do.
void BuildDialingText(const char* dialString, char* out, std::size_t size);

// "Error Number a, b".
void BuildPortErrorCaption(int a, int b, char* out, std::size_t size);

extern const char kHangUpCommand[];  // "ATH\r"
