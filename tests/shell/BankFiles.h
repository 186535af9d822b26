#pragma once
// The text of a small plain bank: a header with three questions and the Corra ID given.

#include "platform/core/String.h"

#include <string>

inline std::string BankWithId(const char* id)
{
    return CString::Formatted("BEGIN HEADER\r\nTITLE1: {Physics}\r\nCOUNT:3\r\nNUMCOLLECTIONS:0\r\n"
                              "CORRAID: {%s}\r\nEND HEADER\r\n\r\n",
                              id)
        .str();
}
