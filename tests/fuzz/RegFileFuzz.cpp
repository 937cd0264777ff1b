// Fuzz target: any bytes given to the registry file parser must not crash it, and whatever it accepts
// must write back to text that it reads again the same way.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/RegFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  const std::string text(reinterpret_cast<const char*>(pData), nSize);
  const std::optional<REG_DOCUMENT> document = ParseRegFile(text);
  if (!document) return 0;
  const std::string written = WriteRegFile(*document);
  const std::optional<REG_DOCUMENT> again = ParseRegFile(written);
  if (!again || WriteRegFile(*again) != written) std::abort();
  return 0;
}
