// Byte-wise scanning of Shift-JIS (code page 932) text: trail bytes may be '\' or '|',
// so every scan steps over double-byte characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavora::sjis {

inline bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
// The second byte of a double-byte character; a lead byte before anything else stands alone.
inline bool isTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Position of the last single-byte character c, or npos.
size_t findLast(std::string_view s, char c);
// Position of the first single-byte character c at or after from, or npos.
size_t findFirst(std::string_view s, char c, size_t from = 0);
// As findFirst and findLast, for any of the single-byte characters in set.
size_t findFirstOf(std::string_view s, std::string_view set, size_t from = 0);
size_t findLastOf(std::string_view s, std::string_view set);
// True when the text's last character is the single-byte c (not a trail byte).
bool endsWithChar(std::string_view s, char c);
// At most maxBytes of the text, never ending in the first half of a double-byte character.
std::string_view cutBytes(std::string_view s, size_t maxBytes);
// The folder part of a path including its trailing '\' ("" when there is none).
std::string folderOf(std::string_view path);

}  // namespace tavora::sjis
