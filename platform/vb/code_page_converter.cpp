#include "platform/vb/code_page_converter.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace vb {

namespace {
iconv_t handle(void* cd) { return static_cast<iconv_t>(cd); }
}  // namespace

CodePageConverter::CodePageConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}

CodePageConverter::~CodePageConverter() {
    if (valid()) iconv_close(handle(cd_));
}

bool CodePageConverter::valid() const { return cd_ != reinterpret_cast<void*>(-1); }

QByteArray CodePageConverter::run(const QByteArray& in, const QByteArray& replacement, std::size_t skip) {
    QByteArray out;
    if (!valid()) return out;
    iconv(handle(cd_), nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.constData());
    size_t srcLeft = static_cast<size_t>(in.size());
    char buffer[4096];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t r = iconv(handle(cd_), &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<qsizetype>(dst - buffer));
        if (r != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL (truncated at the end): replace and step over.
        out.append(replacement);
        const size_t step = std::min(skip, srcLeft);
        src += step;
        srcLeft -= step;
        iconv(handle(cd_), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace vb
