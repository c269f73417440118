// SPDX-License-Identifier: GPL-3.0-or-later
#include "library_pages.h"

#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

namespace character {

namespace {

// A library whose code was patched at loading holds written pages in read-only segments too.
bool patchedAtLoading(const dl_phdr_info& library) {
  for (int i = 0; i < library.dlpi_phnum; ++i) {
    const ElfW(Phdr)& segment = library.dlpi_phdr[i];
    if (segment.p_type != PT_DYNAMIC) continue;
    const auto* entry = reinterpret_cast<const ElfW(Dyn)*>(library.dlpi_addr + segment.p_vaddr);
    for (; entry->d_tag != DT_NULL; ++entry) {
      if (entry->d_tag == DT_TEXTREL) return true;
      if (entry->d_tag == DT_FLAGS && (entry->d_un.d_val & DF_TEXTREL)) return true;
    }
  }
  return false;
}

// Only whole pages inside the segment, so a page shared with a neighbour is never touched.
void releaseSegment(const dl_phdr_info& library, const ElfW(Phdr) & segment) {
  const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const std::uintptr_t start = library.dlpi_addr + segment.p_vaddr;
  const std::uintptr_t first = (start + pageSize - 1) & ~(pageSize - 1);
  const std::uintptr_t end = (start + segment.p_memsz) & ~(pageSize - 1);
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}

int releaseIfNamed(dl_phdr_info* library, size_t, void* namePart) {
  if (!library->dlpi_name || !std::strstr(library->dlpi_name, static_cast<const char*>(namePart)))
    return 0;
  if (patchedAtLoading(*library)) return 0;
  for (int i = 0; i < library->dlpi_phnum; ++i) {
    const ElfW(Phdr)& segment = library->dlpi_phdr[i];
    if (segment.p_type == PT_LOAD && segment.p_flags == PF_R) releaseSegment(*library, segment);
  }
  return 0;
}

}  // namespace

void releaseReadOnlyPages(const char* namePart) {
  dl_iterate_phdr(&releaseIfNamed, const_cast<char*>(namePart));
}

}  // namespace character
