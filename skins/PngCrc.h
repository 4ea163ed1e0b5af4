// CRC-32 of the PNG format (polynomial 0xEDB88320). A chunk's CRC runs over its
// four type bytes and its payload, starting from all ones, complemented at the end.
#pragma once
#include <cstddef>
#include <cstdint>

// Folds n bytes into a running (not yet complemented) CRC.
uint32_t Crc32Update(uint32_t crc, const void* bytes, size_t n);

// The finished CRC of a chunk: type bytes, then payload.
uint32_t ChunkCrc(const char type[4], const void* payload, size_t n);
