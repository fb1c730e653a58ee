#include "Imprimir.h"

#include "base/Sql.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <limits>

namespace sql = cxp::sql;

namespace {

// Reads back a quoted literal; fails unless the whole text is one literal with
// every inner quote doubled, i.e. nothing can follow it as SQL.
std::optional<QString> leerLiteral(const QString &s)
{
    if (s.size() < 2 || !s.startsWith(u'\'') || !s.endsWith(u'\''))
        return std::nullopt;
    QString r;
    for (qsizetype i = 1; i < s.size() - 1; ++i) {
        if (s[i] == u'\'' && (i + 1 >= s.size() - 1 || s[++i] != u'\''))
            return std::nullopt;
        r += s[i];
    }
    return r;
}

TEST(Sql, TextoDuplicaComillasYNuncaCierraElLiteral)
{
    EXPECT_EQ(sql::texto(u"O'Brien"), "'O''Brien'");
    EXPECT_EQ(sql::texto(QString()), "''");
    EXPECT_EQ(sql::texto(u""), "''");
    const QString peligrosos[] = {"'", "''", "a'; DROP TABLE TERCEROS; --", "x' OR '1'='1", "\\'", "a\\",
                                  "/* */", "linea\nlinea", QString::fromUtf8("Ñandú 100% _x_"), "';--"};
    for (const QString &t : peligrosos) {
        EXPECT_EQ(leerLiteral(sql::texto(t)), t) << t.toStdString();
        EXPECT_EQ(leerLiteral(sql::contiene(t)), '%' + t + '%') << t.toStdString();
        EXPECT_EQ(leerLiteral(sql::empiezaPor(t)), t + '%') << t.toStdString();
    }
    EXPECT_EQ(sql::contiene(u"abc"), "'%abc%'");
    EXPECT_EQ(sql::empiezaPor(u"O'B"), "'O''B%'");
}

TEST(Sql, FechasYNumerosSinImportarElLocale)
{
    const QLocale anterior;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Colombia));
    EXPECT_EQ(sql::fecha(QDate(2026, 12, 6)), "'2026/12/06'");
    EXPECT_EQ(sql::fecha(QDate(5, 1, 1)), "'0005/01/01'");
    EXPECT_EQ(sql::fecha(QDate()), "NULL");
    EXPECT_THROW(sql::fecha(QDate(10000, 1, 1)), std::invalid_argument);
    EXPECT_THROW(sql::fecha(QDate(-1, 1, 1)), std::invalid_argument);
    EXPECT_EQ(sql::fechaHora(QDateTime(QDate(2026, 12, 6), QTime(13, 5, 9, 750))), "'2026/12/06 13:05:09'");
    EXPECT_EQ(sql::fechaHora(QDateTime()), "NULL");
    EXPECT_EQ(sql::numero(D("-1234567.5")), "-1234567.5");
    EXPECT_EQ(sql::numero(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(sql::numero(1234567), "1234567");
    QLocale::setDefault(anterior);
}

TEST(Sql, IdentificadoresSoloDeLaListaPermitida)
{
    for (const QString &bueno : QStringList{"A", "NDPR_MONTO", "a$b_1", QString(63, u'x')})
        EXPECT_TRUE(sql::esIdentificador(bueno)) << bueno.toStdString();
    for (const QString &malo : QStringList{"", "1A", "_A", "A B", "A;", "A--", "NDPR_MONTO\n", "a.b", "A\"", QString(64, u'x'),
                         QString::fromUtf8("AÑO")})
        EXPECT_FALSE(sql::esIdentificador(malo)) << malo.toStdString();

    // The list's own spelling comes back, never the caller's text.
    EXPECT_EQ(sql::identificador(u"terc_nom", {u"TERC_NOM", u"TERC_NIT"}), "TERC_NOM");
    EXPECT_EQ(sql::identificador(u"T.TERC_NOM", {u"a.ndpr_conc", u"t.terc_nom"}), "t.terc_nom");
    EXPECT_EQ(sql::identificador(u"egre_fecha", QStringList{"egre_numero", "egre_fecha"}), "egre_fecha");
    for (const QString &malo : QStringList{"TERC", "TERC_NOM; DROP TABLE X", "TERC_NOM ", "", "x.y.z.terc_nom"})
        EXPECT_THROW(sql::identificador(malo, {u"TERC_NOM", u"x.y.z.terc_nom"}), std::invalid_argument)
            << malo.toStdString();
    EXPECT_THROW(sql::identificador(u"a b", QStringList{"a b"}), std::invalid_argument);
}

} // namespace
