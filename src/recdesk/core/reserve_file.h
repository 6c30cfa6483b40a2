// reserve.dat, written by the reservation table program and only read here: a 16-byte header
// with the record count at offset 8, 48-byte records, then three strings per record.
#pragma once

#include <cstdint>
#include <vector>

#include "rsv_ele.h"

// The complete records of the data, in file order. A record whose fixed part or strings lie
// beyond the end of the data is not kept, nor any after it. Records with times outside the
// calendar (NaN, infinite, absurd) are left out.
std::vector<TRsvEle> readReserveFile(const std::vector<uint8_t>& data);
