#pragma once
// Wide-character calls, looked up at run time. The program imports only what
// Windows 95 implements, and its wide functions are stubs that fail with
// ERROR_CALL_NOT_IMPLEMENTED; NT and Wine keep names in Unicode, and only the
// wide calls reach every name there.
#include <windows.h>

#include <string>

namespace rw {

// The exported function, or nullptr. The module must already be loaded, as
// every DLL the program imports from is.
template <typename Function>
Function LookUpFunction(const char* module, const char* name) {
  const HMODULE loaded = GetModuleHandleA(module);
  if (loaded == nullptr) return nullptr;
  // Through void(*)(): the one function-pointer cast that claims no signature.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(loaded, name)));
}

// A function looked up on its first use, then kept.
template <typename Function>
class RuntimeFunction {
 public:
  RuntimeFunction(const char* module, const char* name) : module_(module), name_(name) {}
  Function get() {
    if (!lookedUp_) {
      function_ = LookUpFunction<Function>(module_, name_);
      lookedUp_ = true;
    }
    return function_;
  }

 private:
  const char* module_;
  const char* name_;
  Function function_ = nullptr;
  bool lookedUp_ = false;
};

inline const wchar_t* AsWide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string FromWide(const wchar_t* text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

// ANSI text in Unicode, as the system's ANSI calls would read it.
std::u16string WideFromAnsi(const std::string& ansi);
// Unicode text as the ANSI calls give it: characters the code page lacks
// are replaced as the system replaces them.
std::string AnsiFromWide(const std::u16string& wide);

}  // namespace rw
