// The IAPWS-95 reference of a run as columns beside its stored fields, the one form in which
// Export Data and qrv-cli's sweep table give it: the reference's value of each stored
// quantity it has, in the store's units, each path's final phase, and a note (the validity
// flag, or why there is no reference).
#pragma once

#include "engine/runstore.h"
#include "reference/reference.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace qrv::reference {

// "IAPWS-95 PEq [MPa]", "IAPWS-95 TEq [K]", ..., "IAPWS-95 Note".
const std::vector<std::string>& referenceColumnNames();

// One text per column: numbers as the shortest plain decimal of their single-precision value;
// without a reference only the note, which then says why.
std::vector<std::string> referenceCells(const ReferenceOutcome& outcome);

// Export Data's file: every stored run with the reference of its inputs; false when the
// stream failed.
bool writeRunStoreCsvWithReference(const RunStore& store, std::ostream& out);

} // namespace qrv::reference
