#pragma once
// The picker of this folder, opened through Interaccion::elegir.
#include <QString>

namespace cxp::selectores {

// The open payables documents of a creditor at a date, in picking mode.
// Arguments: "nit", "fecha" (QDate; today when absent). Choice: "tipo"
// (int), "tiponom", "prefijo", "numero", "id" (int) of the document chosen;
// or, after "Sel. varios", only "lista": the id under which the documents
// chosen wait in CONSOLIDE_FALTANTES (CEFA_ID).
inline const QString kCxpagar = QStringLiteral("SelectorCxpagar");

}  // namespace cxp::selectores
