// std::from_chars for float, which the C++ library of this emscripten
// (3.1.6) lacks; compiled into every file of the browser build. Reads what
// from_chars reads with std::chars_format::general (a plain decimal, no sign
// '+', no leading space), through strtof on a terminated copy.
#ifndef QO_PLATFORM_WEB_COMPAT_CHARCONV_FLOAT_H
#define QO_PLATFORM_WEB_COMPAT_CHARCONV_FLOAT_H
#ifdef __cplusplus

#include <ctype.h>
#include <errno.h>
#include <stdlib.h>
#include <string.h>

#include <charconv>
#include <string>
#include <system_error>

namespace std {

inline from_chars_result from_chars(const char* first, const char* last, float& value,
                                    chars_format = chars_format::general) {
    // strtof would also take space, '+' and hexadecimal, which from_chars refuses.
    if (first == last || isspace((unsigned char)*first) || *first == '+')
        return {first, errc::invalid_argument};
    const char* digits = *first == '-' ? first + 1 : first;
    if (last - digits >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) last = digits + 1;
    std::string copy(first, last);
    char* stop;
    errno = 0;
    float parsed = strtof(copy.c_str(), &stop);
    if (stop == copy.c_str()) return {first, errc::invalid_argument};
    const char* end = first + (stop - copy.c_str());
    if (errno == ERANGE) return {end, errc::result_out_of_range};
    value = parsed;
    return {end, errc()};
}

}  // namespace std

#endif
#endif
