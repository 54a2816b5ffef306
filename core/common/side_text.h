#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

// The about box and the splash window show lines kept in the side files "附属/about.txt" and
// "附属/flash.txt". Each line is stored enciphered as one line of hexadecimal text, so that the
// contact lines are not changed by chance in a text editor. It is a disguise, not a secret:
//
//   the line is encoded in GBK; byte i (counted from 0) is XORed with (0x5A + 31 × i) mod 256;
//   every resulting byte is written as two upper-case hexadecimal digits.
//
// `quorlin-cli sidetext` writes and reads such files.

/// Enciphers one line (UTF-8); false when it holds a character GBK cannot encode.
bool encipherSideLine(std::string_view text, std::string& hex);
/// Deciphers one line back to UTF-8; false when it is not an even number of hexadecimal digits or
/// does not decode to GBK text.
bool decipherSideLine(std::string_view hex, std::string& text);

/// The deciphered lines of a side file, and why reading stopped early (empty when it did not).
struct SideText {
    std::vector<std::string> lines;
    std::string error;
};

/// Reads and deciphers every line of a side file; on a missing file or a bad line the lines read
/// before it are kept and `error` names the file and the line.
SideText readSideText(const std::string& path);
/// Enciphers `lines` into a side file (replacing it whole); empty, or why it was not written.
std::string writeSideText(const std::string& path, const std::vector<std::string>& lines);

} // namespace quorlin
