// The crash report's one line, built without the heap or stdio: it is written from a crash
// handler, where neither can be trusted.
#pragma once

#include <cstddef>

namespace tj20::host::os {

// The call in progress, as enterModule() left it.
struct CallInProgress {
    const char* module = nullptr;
    const char* call = nullptr;
};

class CrashLine {
public:
    CrashLine& character(char c) {
        if (length_ < sizeof buffer_ - 1) buffer_[length_++] = c;
        return *this;
    }
    CrashLine& text(const char* s) {
        while (s && *s) character(*s++);
        return *this;
    }
    CrashLine& number(unsigned long value, unsigned base) {
        char digits[24];
        std::size_t n = 0;
        do {
            digits[n++] = "0123456789abcdef"[value % base];
            value /= base;
        } while (value && n < sizeof digits);
        if (base == 16) text("0x");
        while (n) character(digits[--n]);
        return *this;
    }
    // "tj20host: <module> crashed during its <call> (<what>)", or outside any module.
    CrashLine& begin(const CallInProgress& now) {
        text("tj20host: ");
        if (now.module) return text(now.module).text(" crashed during its ").text(now.call);
        return text("crashed outside any module call");
    }
    const char* data() {
        buffer_[length_] = '\n';
        return buffer_;
    }
    std::size_t size() const { return length_ + 1; }

private:
    char buffer_[512]{};
    std::size_t length_ = 0;
};

}  // namespace tj20::host::os
