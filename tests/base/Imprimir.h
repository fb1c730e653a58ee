#pragma once
// Readable failure messages for Qt and money values.
#include "base/Dinero.h"

#include <QString>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace cxp {
inline void PrintTo(const Dinero &d, std::ostream *os) { *os << d.textoPlano().toStdString(); }
} // namespace cxp

// A money literal from its plain text; the parser is tested on its own.
inline cxp::Dinero D(const char *texto) { return cxp::Dinero::desdeTexto(QString::fromLatin1(texto)).value(); }
