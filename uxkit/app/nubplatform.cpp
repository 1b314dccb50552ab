#include "nubplatform.h"

#include "nubmsg.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace Nub {
namespace {

constexpr int kNameSize = 1024;
char gNameBuffer[kNameSize] = {0};

EndianE endianOf(const unsigned char *bytes, const unsigned char *big, const unsigned char *little,
                 std::size_t n) {
  if (std::memcmp(bytes, big, n) == 0) return EndianBig;
  if (std::memcmp(bytes, little, n) == 0) return EndianLittle;
  return EndianUnknown;
}

}  // namespace

const char *version() { return "1.0.0"; }

const char *os() {
#ifdef _WIN32
  return "Win32";
#elif defined(__APPLE__)
  return "MacOS";
#else
  return "Linux";
#endif
}

const char *currentUserName() {
#ifdef _WIN32
  DWORD size = kNameSize;
  if (!GetUserNameA(gNameBuffer, &size)) {
    warn("Can't read name of current user!");
    return nullptr;
  }
#else
  struct passwd pwd;
  struct passwd *result = nullptr;
  char buffer[4096];
  if (getpwuid_r(geteuid(), &pwd, buffer, sizeof buffer, &result) != 0 || !result ||
      !result->pw_name || !*result->pw_name) {
    warn("Can't read name of current user!");
    return nullptr;
  }
  std::strncpy(gNameBuffer, result->pw_name, kNameSize - 1);
  gNameBuffer[kNameSize - 1] = '\0';
#endif
  return gNameBuffer;
}

const char *computerName() {
#ifdef _WIN32
  DWORD lastError = GetLastError();
  DWORD size = kNameSize;
  if (!GetComputerNameA(gNameBuffer, &size)) {
    warn("Can't read name of computer!");
    return nullptr;
  }
  SetLastError(lastError);
#else
  if (gethostname(gNameBuffer, kNameSize) != 0) {
    warn("Can't read name of computer!");
    return nullptr;
  }
  gNameBuffer[kNameSize - 1] = '\0';
#endif
  return gNameBuffer;
}

EndianE endian() {
  const std::uint16_t v16 = 0x1234;
  const std::uint32_t v32 = 0x12345678;
  unsigned char b16[2];
  unsigned char b32[4];
  std::memcpy(b16, &v16, 2);
  std::memcpy(b32, &v32, 4);
  static const unsigned char big16[] = {0x12, 0x34}, little16[] = {0x34, 0x12};
  static const unsigned char big32[] = {0x12, 0x34, 0x56, 0x78},
                             little32[] = {0x78, 0x56, 0x34, 0x12};
  const EndianE e16 = endianOf(b16, big16, little16, 2);
  const EndianE e32 = endianOf(b32, big32, little32, 4);
  if (e16 == EndianUnknown)
    warn("Die interne Zahlendarstellung f\xc3\xbcr 16Bit-Werte kann nicht bestimmt werden !");
  if (e32 == EndianUnknown)
    warn("Die interne Zahlendarstellung f\xc3\xbcr 32Bit-Werte kann nicht bestimmt werden !");
  if (e16 != EndianUnknown && e32 != EndianUnknown && e16 != e32)
    warn("Die interne Zahlendarstellung f\xc3\xbcr 16Bit- und 32Bit-Werte unterscheidet sich !?");
  return (e16 == e32) ? e16 : EndianUnknown;
}

const char *endianTxt(int type) {
  switch (type) {
    case EndianBig: return "Big Endian";
    case EndianLittle: return "Little Endian";
    default: return "Unbekannt !";
  }
}

const char *endianTxt() { return endianTxt(endian()); }

void niy(const char *name) {
  if (name)
    info("%s: This functionality is not implemented yet!", name);
  else
    info("This functionality is not implemented yet!");
}

void memTest() { memTest("Starting Nub-memorytest ...", "Nub-Memorytest finished."); }

void memTest(const char *startText, const char *finishedText) {
  info("%s", startText);
  progress(0, 5000);
  for (int i = 1; i <= 5000; ++i) {
    progress(i, -1);
    volatile char *block = static_cast<char *>(::operator new(1048576));
    block[0] = 1;  // touch it, so the allocation is real
    status("ALLOCATED MEM_BLOCK: %d", i);
  }
  info("%s", finishedText);
  info("'%d' blocks of memory allocated (and not released again!).", 5000);
  info("Finish program to release memory.");
  progress(-1, -1);
}

}  // namespace Nub
