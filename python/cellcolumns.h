// A table of runs made from the cells qrv-cli writes, by column for Python: numbers where a
// column holds numbers (each the double its shortest text reads as, NaN where it is empty),
// texts where it holds texts. Rows may be filled from several threads, each its own rows.
#pragma once

#include <pybind11/pybind11.h>

#include <string>
#include <vector>

namespace qrv::python {

class CellColumns {
public:
    CellColumns(std::vector<std::string> headings, std::vector<bool> text, std::size_t rows);

    const std::vector<std::string>& headings() const { return m_headings; }
    // The cells of one row, in the headings' order; a row never set stays NaN and "".
    void set(std::size_t row, const std::vector<std::string>& cells);

    // The columns by heading: NumPy arrays of double, or of str.
    pybind11::dict columns() const;

private:
    std::vector<std::string> m_headings;
    std::vector<bool> m_text;
    std::vector<std::vector<double>> m_numbers;     // by column, empty for text columns
    std::vector<std::vector<std::string>> m_texts;  // by column, empty for number columns
};

// An array of str, as NumPy holds texts.
pybind11::object textArray(const std::vector<std::string>& texts);

} // namespace qrv::python
