#pragma once
// Reply sources shaped like the ones the rich-text editor writes.
#include <string>

namespace tw::testing {

inline std::string RtfDocument(const std::string& body) {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 "
           "Arial;}{\\f1\\fswiss Name Sans;}}\r\n"
           "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
           "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
           "\\pard\\f0\\fs20 " +
           body + "\\par\r\n}\r\n";
}

} // namespace tw::testing
