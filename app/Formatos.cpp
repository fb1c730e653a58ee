#include "app/Formatos.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>

namespace cxp::formatos {

void aplicar() {
    // Spanish (Mexico) writes numbers as the program does, "," thousands and
    // "." decimals, with Spanish day and month names.
    QLocale local(QLocale::Spanish, QLocale::Mexico);
    local.setNumberOptions(QLocale::DefaultNumberOptions);
    QLocale::setDefault(local);
    std::setlocale(LC_NUMERIC, "C");
    // Qt's own dialogs (files, printing, colours) in Spanish.
    if (QCoreApplication* app = QCoreApplication::instance()) {
        auto* qt = new QTranslator(app);
        if (qt->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        else
            delete qt;
    }
}

bool traducido() {
    return QCoreApplication::translate("QPrintDialog", "Print") != QLatin1String("Print");
}

QString moneda(const Dinero& valor) {
    const QString t = valor.texto(2);
    return t.startsWith(QLatin1Char('-')) ? QStringLiteral("-$") + t.mid(1) : QStringLiteral("$") + t;
}

QString fecha(const QDate& d) { return QLocale::c().toString(d, kFechaCorta); }

QString fechaLarga(const QDate& d) { return QLocale(QLocale::Spanish, QLocale::Mexico).toString(d, kFechaLarga); }

QString hora(const QTime& t) { return QLocale::c().toString(t, kHoraLarga); }

}  // namespace cxp::formatos
