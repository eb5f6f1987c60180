// The two runs worked out independently of the program (tests/data/reference_runs.tsv), as
// the C++ tests of every layer read them.
#pragma once

#include <array>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qrv::testdata {

struct ReferenceRun {
    std::map<std::string, std::string, std::less<>> inputs; // qrv-cli option (without --) and text
    std::array<std::string, 25> lines;                      // the results file, line 1 first
    std::vector<std::pair<std::string, std::string>> fields;      // calculation-state field, value
    std::vector<std::pair<std::string, std::string>> equilibrium; // equilibrium-window label, text
    std::vector<std::string> captions;                            // progress captions in order
};

// "water" or "sediment"; the file is read once.
inline const ReferenceRun& referenceRun(std::string_view name)
{
    static const std::map<std::string, ReferenceRun, std::less<>> runs = [] {
        std::map<std::string, ReferenceRun, std::less<>> read;
        std::ifstream file(QRV_REFERENCE_RUNS);
        if (!file)
            throw std::runtime_error("cannot read " QRV_REFERENCE_RUNS);
        for (std::string line; std::getline(file, line);) {
            if (line.empty() || line[0] == '#')
                continue;
            const auto tab1 = line.find('\t');
            const auto tab2 = line.find('\t', tab1 + 1);
            const auto tab3 = line.find('\t', tab2 + 1);
            const auto open = line.find('"', tab3);
            const auto close = line.rfind('"');
            if (tab3 == std::string::npos || open == std::string::npos || close <= open)
                throw std::runtime_error("malformed reference-run line: " + line);
            ReferenceRun& run = read[line.substr(0, tab1)];
            const std::string kind = line.substr(tab1 + 1, tab2 - tab1 - 1);
            const std::string key = line.substr(tab2 + 1, tab3 - tab2 - 1);
            std::string value = line.substr(open + 1, close - open - 1);
            if (kind == "input")
                run.inputs[key] = value;
            else if (kind == "line")
                run.lines.at(std::size_t(std::stoi(key) - 1)) = value;
            else if (kind == "field")
                run.fields.emplace_back(key, value);
            else if (kind == "equilibrium")
                run.equilibrium.emplace_back(key, value);
            else if (kind == "caption")
                run.captions.push_back(value);
            else
                throw std::runtime_error("unknown kind in reference-run line: " + line);
        }
        return read;
    }();
    return runs.at(std::string(name));
}

} // namespace qrv::testdata
