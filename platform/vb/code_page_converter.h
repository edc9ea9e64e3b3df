#pragma once
// One conversion between two character encodings (iconv names), opened once and restarted for every
// call. Code page 936 and the RTF reader's other code pages all convert through it.
#include <QByteArray>

#include <cstddef>

namespace vb {

class CodePageConverter {
public:
    CodePageConverter(const char* to, const char* from);
    ~CodePageConverter();
    CodePageConverter(const CodePageConverter&) = delete;
    CodePageConverter& operator=(const CodePageConverter&) = delete;

    // False when the system cannot convert between the two encodings.
    bool valid() const;

    // Converts `in`; a sequence that cannot be converted (or is cut off at the end) becomes
    // `replacement`, and the conversion goes on `skip` input bytes further. Empty when not valid.
    QByteArray run(const QByteArray& in, const QByteArray& replacement, std::size_t skip);

private:
    void* cd_;
};

}  // namespace vb
