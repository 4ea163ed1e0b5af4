#include "skins/PngZlib.h"

#include <zlib.h>

#include <new>

bool InflateWhole(const uint8_t* in, size_t n, std::vector<uint8_t>& out, size_t maxOut) {
  out.clear();
  z_stream zs{};
  if (inflateInit_(&zs, PngZlibVersion, int(sizeof zs)) != Z_OK) return false;
  zs.next_in = const_cast<Bytef*>(in);
  zs.avail_in = uInt(n);
  uint8_t buffer[16384];
  int rc = Z_OK;
  try {
    while (rc == Z_OK) {
      zs.next_out = buffer;
      zs.avail_out = sizeof buffer;
      rc = inflate(&zs, Z_NO_FLUSH);
      const size_t produced = sizeof buffer - zs.avail_out;
      if (out.size() + produced > maxOut) { rc = Z_MEM_ERROR; break; }
      out.insert(out.end(), buffer, buffer + produced);
      // No progress with input left means a truncated stream: stop, not spin.
      if (rc == Z_OK && produced == 0 && zs.avail_in == 0) rc = Z_BUF_ERROR;
    }
  } catch (const std::bad_alloc&) {
    rc = Z_MEM_ERROR;
  }
  inflateEnd(&zs);
  if (rc != Z_STREAM_END) out.clear();
  return rc == Z_STREAM_END;
}

bool DeflateWhole(const uint8_t* in, size_t n, int level, std::vector<uint8_t>& out) {
  out.clear();
  z_stream zs{};
  if (deflateInit_(&zs, level, PngZlibVersion, int(sizeof zs)) != Z_OK) return false;
  out.resize(deflateBound(&zs, uLong(n)));
  zs.next_in = const_cast<Bytef*>(in);
  zs.avail_in = uInt(n);
  zs.next_out = out.data();
  zs.avail_out = uInt(out.size());
  const int rc = deflate(&zs, Z_FINISH);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  if (rc != Z_STREAM_END) out.clear();
  return rc == Z_STREAM_END;
}

std::string ZlibResultText(int code) {
  static const char* const texts[] = {"incompatible version (-6)", "buffer error (-5)",
                                      "insufficient memory (-4)",  "data error (-3)",
                                      "stream error (-2)",         "file error (-1)",
                                      "(0)",                       "stream end (1)",
                                      "need dictionary (2)"};
  return code >= -6 && code <= 2 ? texts[code + 6] : std::string();
}
