#include "python/cellcolumns.h"

#include <pybind11/numpy.h>

#include <charconv>
#include <limits>

namespace py = pybind11;

namespace qrv::python {

CellColumns::CellColumns(std::vector<std::string> headings, std::vector<bool> text, std::size_t rows)
    : m_headings(std::move(headings))
    , m_text(std::move(text))
{
    for (std::size_t c = 0; c < m_headings.size(); ++c) {
        m_numbers.emplace_back(m_text[c] ? 0 : rows, std::numeric_limits<double>::quiet_NaN());
        m_texts.emplace_back(m_text[c] ? rows : 0);
    }
}

void CellColumns::set(std::size_t row, const std::vector<std::string>& cells)
{
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const std::string& cell = cells[c];
        if (m_text[c])
            m_texts[c][row] = cell;
        else if (!cell.empty())
            std::from_chars(cell.data(), cell.data() + cell.size(), m_numbers[c][row]);
    }
}

py::object textArray(const std::vector<std::string>& texts)
{
    py::list list;
    for (const auto& text : texts)
        list.append(py::str(text));
    return py::module_::import("numpy").attr("array")(list, py::arg("dtype") = "str");
}

py::dict CellColumns::columns() const
{
    py::dict columns;
    for (std::size_t c = 0; c < m_headings.size(); ++c)
        columns[py::str(m_headings[c])] =
            m_text[c] ? textArray(m_texts[c])
                      : py::object(py::array_t<double>(py::ssize_t(m_numbers[c].size()), m_numbers[c].data()));
    return columns;
}

} // namespace qrv::python
