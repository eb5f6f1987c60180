#include "cli/ratiofilenames.h"

#include "base/numberformat.h"

#include <set>

namespace qrv::cli {

namespace {

constexpr int kShownDecimals = 3;
// Beyond this, ratios are told apart by their numbers alone.
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

} // namespace

std::vector<std::string> ratioFileNames(const std::vector<double>& ratios)
{
    int decimals = kShownDecimals;
    std::vector<std::string> texts = fixedTexts(ratios, decimals);
    while (!allDistinct(texts) && decimals < kMostDecimals)
        texts = fixedTexts(ratios, ++decimals);

    const std::size_t width = std::to_string(ratios.size()).size();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::string number = std::to_string(i + 1);
        number.insert(0, width - number.size(), '0');
        texts[i] = "run-" + number + "-R" + texts[i] + ".qrv";
    }
    return texts;
}

} // namespace qrv::cli
