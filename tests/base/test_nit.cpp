#include "base/Nit.h"

#include <QString>
#include <gtest/gtest.h>

using cxp::dv;

TEST(Nit, DigitoDeVerificacion) {
    // NITs published by DIAN and the large taxpayers' own registrations.
    const struct {
        const char* nit;
        int digito;
    } casos[] = {
        {"5", 7},           // 5 x 3 = 15, 15 mod 11 = 4, 11 - 4
        {"12", 9},          // 2 x 3 + 1 x 7 = 13, remainder 2
        {"800197268", 4},   // DIAN
        {"899999034", 1},   // remainder 1 gives 1
        {"860034313", 7},   // Davivienda
        {"890903938", 8},   // Bancolombia
        {"900123456", 8},
        {"830000000", 1},   // remainder 10
    };
    for (const auto& c : casos) EXPECT_EQ(dv(QString::fromLatin1(c.nit)), c.digito) << c.nit;
}

TEST(Nit, RestosCeroYUno) {
    // 5 x 3 + 1 x 7 = 22: remainder 0 gives 0; 4 x 3 = 12: remainder 1 gives 1.
    EXPECT_EQ(dv(u"15"), 0);
    EXPECT_EQ(dv(u"0"), 0);
    EXPECT_EQ(dv(u"4"), 1);
}

TEST(Nit, SoloDigitosYHastaQuince) {
    EXPECT_EQ(dv(u""), std::nullopt);
    EXPECT_EQ(dv(u"80019726A"), std::nullopt);
    EXPECT_EQ(dv(u"800.197.268"), std::nullopt);
    EXPECT_EQ(dv(u"1234567890123456"), std::nullopt);
    EXPECT_TRUE(dv(u"123456789012345").has_value());
}
