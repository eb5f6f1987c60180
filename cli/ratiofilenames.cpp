#include "ratiofilenames.h"

#include "numberformat.h"

#include <algorithm>
#include <set>

namespace qrv::cli {

namespace {

constexpr int kShownDecimals = 3;
// Sweeps hold at most 100,000 ratios; beyond this steps are too fine to tell apart in a name.
constexpr int kMostDecimals = 12;

std::vector<std::string> fixedTexts(const std::vector<double>& ratios, int decimals)
{
    std::vector<std::string> texts;
    texts.reserve(ratios.size());
    for (const double ratio : ratios)
        texts.push_back(formatFixed(ratio, decimals));
    return texts;
}

bool allDistinct(const std::vector<std::string>& texts)
{
    return std::set<std::string>(texts.begin(), texts.end()).size() == texts.size();
}

// A negative ratio is refused before it has results; its sign stays in front of the digits.
std::size_t signWidth(const std::string& text) { return text[0] == '-' ? 1 : 0; }
std::size_t integerDigits(const std::string& text) { return text.find('.') - signWidth(text); }

} // namespace

std::vector<std::string> ratioFileNames(const std::vector<double>& ratios)
{
    int decimals = kShownDecimals;
    std::vector<std::string> texts = fixedTexts(ratios, decimals);
    while (!allDistinct(texts) && decimals < kMostDecimals)
        texts = fixedTexts(ratios, ++decimals);

    std::size_t widest = 0;
    for (const auto& text : texts)
        widest = std::max(widest, integerDigits(text));
    for (auto& text : texts) {
        text.insert(signWidth(text), widest - integerDigits(text), '0');
        text = "run-R" + text + ".qrv";
    }
    return texts;
}

} // namespace qrv::cli
