#include "widgets/HtmForm.h"

#include <algorithm>

#include "app/Settings.h"

namespace {

constexpr size_t kColumnsMax = kHtmFormMax - kHtmFlagPlaces;
constexpr size_t kPreviewChars = 6;

bool is_flag(char c)
{
    return c == 'o' || c == 'p' || c == 'i';
}

bool in_card_shape(std::string_view form)
{
    if (form.size() < kHtmFlagPlaces || form.size() > kHtmFormMax)
        return false;
    char jobs = form[form.size() - 2];
    char image = form.back();
    return (jobs == 'o' || jobs == 'p' || jobs == '_') && (image == 'i' || image == '_');
}

// The first count characters of UTF-8 text.
std::string first_chars(const std::string& text, size_t count)
{
    size_t end = 0;
    for (size_t chars = 0; end < text.size() && chars < count; chars++) {
        end++;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            end++;
    }
    return text.substr(0, end);
}

} // namespace

std::string HtmCardForm(std::string_view form)
{
    bool openJobs = form.find_first_of("op") != std::string_view::npos;
    bool snapshot = form.find('i') != std::string_view::npos;
    std::string_view columns =
        in_card_shape(form) ? form.substr(0, form.size() - kHtmFlagPlaces) : form;
    std::string kept;
    std::copy_if(columns.begin(), columns.end(), std::back_inserter(kept),
                 [](char c) { return !is_flag(c) && c != '\0'; });
    // Free places go before columns do.
    while (kept.size() > kColumnsMax && kept.find('_') != std::string::npos)
        kept.erase(kept.rfind('_'), 1);
    kept.resize(std::min(kept.size(), kColumnsMax));
    kept += openJobs ? 'o' : '_';
    kept += snapshot ? 'i' : '_';
    return kept;
}

bool HtmClickColumn(std::string& form, int32& place, char column)
{
    if (form.size() < kHtmFlagPlaces)
        form = HtmCardForm(form);
    const size_t columns = form.size() - kHtmFlagPlaces;
    place = std::clamp<int32>(place, 0, int32(columns));
    const size_t at = size_t(place);
    if (form.find(column) != std::string::npos) {
        if (at < columns)
            form[at] = '_';
        return at < columns;
    }
    if (at < columns) {
        form[at] = column;
    } else if (form.size() < kHtmFormMax) {
        form.insert(columns, 1, column);
    } else {
        return false;
    }
    place++;
    return true;
}

void HtmSetFlags(std::string& form, bool openJobs, bool snapshot)
{
    if (form.size() < kHtmFlagPlaces)
        form = HtmCardForm(form);
    form[form.size() - 2] = openJobs ? 'o' : '_';
    form[form.size() - 1] = snapshot ? 'i' : '_';
}

std::string HtmPreview(std::string_view form, const std::function<std::string(char)>& nameOf)
{
    std::string preview = "|";
    for (char c : form) {
        std::string name = nameOf(c);
        if (name.empty())
            continue;
        preview += first_chars(name, kPreviewChars);
        preview += '|';
    }
    return preview;
}
