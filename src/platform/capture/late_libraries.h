#pragma once

#include <initializer_list>
#include <optional>
#include <vector>

namespace velmor {

// Shared libraries opened when first needed rather than at start-up: only a
// pick talks to the X server's extensions, the compositor or colour
// profiles. They stay open for the program's life.
class LateLibraries {
  public:
    explicit LateLibraries(std::initializer_list<const char*> sonames);
    LateLibraries(const LateLibraries&) = delete;
    LateLibraries& operator=(const LateLibraries&) = delete;

    // False when any of them could not be opened.
    bool Opened() const { return opened_; }
    // A symbol's address in the first library that has it, or null.
    void* Find(const char* name) const;
    template <typename T>
    bool Find(const char* name, T& slot) const {
        slot = reinterpret_cast<T>(Find(name));
        return slot != nullptr;
    }

  private:
    std::vector<void*> handles_;
    bool opened_ = true;
};

// A table of a library's functions and data under the library's own names,
// filled by `fill(libraries, table)`; nothing when a library or a symbol is
// missing. VELMOR_LOAD_LATE fills it from a list macro of the names:
//   #define LCMS_SYMBOLS(X) X(cmsOpenProfileFromMem) X(cmsCloseProfile)
//   struct Lcms { LCMS_SYMBOLS(VELMOR_LATE_SYMBOL) };
//   std::optional<Lcms> lcms = VELMOR_LOAD_LATE(Lcms, LCMS_SYMBOLS, "liblcms2.so.2");
#define VELMOR_LATE_SYMBOL(name) decltype(&::name) name = nullptr;
#define VELMOR_FIND_LATE_SYMBOL(name) found = libraries.Find(#name, table.name) && found;
#define VELMOR_LOAD_LATE(Table, SYMBOLS, ...)                                              \
    ::velmor::LoadLate<Table>({__VA_ARGS__},                                               \
                              [](const ::velmor::LateLibraries& libraries, Table& table) { \
                                  bool found = true;                                       \
                                  SYMBOLS(VELMOR_FIND_LATE_SYMBOL)                         \
                                  return found;                                            \
                              })

template <typename Table, typename Fill>
std::optional<Table> LoadLate(std::initializer_list<const char*> sonames, Fill fill) {
    const LateLibraries libraries(sonames);
    Table table;
    if (!libraries.Opened() || !fill(libraries, table)) return std::nullopt;
    return table;
}

}  // namespace velmor
