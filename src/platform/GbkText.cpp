#include "platform/GbkText.h"

namespace sut {

std::string_view CutGbk(std::string_view text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width = GbkCharLength(text, end);
        if (end + width > maxBytes) break;
        end += width;
    }
    return text.substr(0, end);
}

}  // namespace sut
