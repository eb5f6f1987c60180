#include "display/windowtext.h"

#include "display/windowrecord.h"

#include <vector>

namespace qrv {

namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1));
}

// Column headings in one caption are set apart by runs of two or more blanks.
std::vector<std::string> headings(std::string_view text)
{
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (true) {
        const auto gap = text.find("  ", start);
        cells.push_back(trimmed(text.substr(start, gap - start)));
        if (gap == std::string_view::npos)
            return cells;
        start = text.find_first_not_of(' ', gap);
        if (start == std::string_view::npos)
            return cells;
    }
}

class TextWriter {
public:
    explicit TextWriter(const ShownText& shown) : m_shown(shown) {}

    void panel(const Panel& panel)
    {
        if (panel.frame != nullptr && !frameLine(panel))
            return;
        for (const Row& row : panel.rows) {
            std::vector<std::string> cells;
            if (row.caption != nullptr && !add(cells, *row.caption))
                continue;
            bool shown = true;
            for (const Control* value : row.values)
                shown = shown && (value == nullptr || add(cells, *value));
            if (shown)
                line(std::move(cells));
        }
        for (const Control* note : panel.notes)
            captioned(note->tooltip, *note);
        if (panel.errorMark != nullptr)
            captioned(panel.errorMark->design, *panel.errorMark);
    }

    std::string text() const { return m_text; }

private:
    // The frame's title and the heading; false when the frame is hidden.
    bool frameLine(const Panel& panel)
    {
        std::vector<std::string> cells;
        if (!add(cells, *panel.frame))
            return false;
        if (panel.heading != nullptr) {
            if (const auto heading = m_shown(*panel.heading))
                for (std::string& cell : headings(*heading))
                    cells.push_back(std::move(cell));
        }
        line(std::move(cells));
        return true;
    }

    void captioned(std::string_view caption, const Control& control)
    {
        std::vector<std::string> cells{trimmed(caption)};
        if (add(cells, control))
            line(std::move(cells));
    }

    bool add(std::vector<std::string>& cells, const Control& control)
    {
        const auto text = m_shown(control);
        if (!text)
            return false;
        cells.push_back(trimmed(*text));
        return true;
    }

    // A caption followed by values ends in a colon, also where the routines rewrote it
    // without one ("Ice Fraction").
    void line(std::vector<std::string> cells)
    {
        if (cells.size() > 1 && !cells.front().ends_with(':'))
            cells.front() += ':';
        for (std::size_t i = 0; i < cells.size(); ++i)
            m_text += (i > 0 ? "\t" : "") + cells[i];
        m_text += '\n';
    }

    const ShownText& m_shown;
    std::string m_text;
};

} // namespace

std::string windowText(const WindowDescription& window, const ShownText& shown)
{
    TextWriter writer(shown);
    for (const Panel& panel : window.panels)
        writer.panel(panel);
    return writer.text();
}

std::string windowText(const WindowDescription& window, const WindowRecord& record)
{
    return windowText(window, [&window, &record](const Control& control) -> std::optional<std::string> {
        const auto& touched = record.controls(window.window);
        if (const auto it = touched.find(control.name); it != touched.end()) {
            if (!it->second.visible)
                return std::nullopt;
            return it->second.text;
        }
        if (control.look == Look::ErrorMark)
            return std::nullopt;
        return std::string(control.design);
    });
}

} // namespace qrv
