#include "korvel/met/optimization_module.h"

#include "korvel/workspace/program_globals.h"
#include "tests/support/korvel_test.h"

#include <QDir>

namespace {

using OptimizationModuleFile = KorvelTest;

const QByteArray kHead = "Water\r\nSmall aircraft\r\n3 m\r\nFlat fan\r\nnotes, with commas\r\n";

TEST_F(OptimizationModuleFile, NumbersOnOneLineOrThree)
{
    struct Case
    {
        const char* name;
        QByteArray tail;
    } cases[] = { { "one line", "0.5, 1.25, -0.1\r\n" }, { "three lines", "0.5\r\n1.25\r\n-0.1\r\n" },
        { "blanks between", "  0.5  1.25  -0.1" },
        { "more after the third", "0.5,1.25,-0.1,99,junk\r\nmore\r\n" } };
    for (const Case& c : cases) {
        const OptimizationModule module = parseOptimizationModule(kHead + c.tail);
        ASSERT_TRUE(module.ok) << c.name << ": " << module.error.toStdString();
        EXPECT_FLOAT_EQ(module.coefficients[0], 0.5f) << c.name;
        EXPECT_FLOAT_EQ(module.coefficients[1], 1.25f) << c.name;
        EXPECT_FLOAT_EQ(module.coefficients[2], -0.1f) << c.name;
        EXPECT_EQ(module.product, "Water");
        EXPECT_EQ(module.aircraft, "Small aircraft");
        EXPECT_EQ(module.height, "3 m");
        EXPECT_EQ(module.nozzleType, "Flat fan");
    }
}

TEST_F(OptimizationModuleFile, DamagedModuleIsRefusedWithItsReason)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        { "empty", "", "Input past end of file" },
        { "only the descriptions", "a\r\nb\r\nc\r\nd\r\n", "Input past end of file" },
        { "two numbers", kHead + "1, 2\r\n", "Input past end of file" },
        { "a word for a number", kHead + "1\r\nfast\r\n3\r\n", "line 7: Type mismatch" },
        { "beyond single precision", kHead + "1e40, 1, 1\r\n", "line 6: Overflow" },
        // Lines moved this far leave every map, or go to infinity with the wind.
        { "beyond any drift", kHead + "0\r\n3e38\r\n0\r\n", "line 7: Overflow" },
        { "beyond any drift, negative", kHead + "0, 0, -1000001\r\n", "line 6: Overflow" },
    };
    for (const Case& c : cases) {
        const OptimizationModule module = parseOptimizationModule(c.bytes);
        EXPECT_FALSE(module.ok) << c.name;
        EXPECT_TRUE(module.error.contains(c.reason)) << c.name << ": " << module.error.toStdString();
        EXPECT_EQ(module.coefficients, (OptCoefficients { 0.0f, 0.0f, 0.0f })) << c.name;
    }
}

TEST_F(OptimizationModuleFile, MissingFileGivesTheSystemsReason)
{
    const OptimizationModule module = readOptimizationModule(optimizationModulePath("gone.opt"));
    EXPECT_FALSE(module.ok);
    EXPECT_FALSE(module.error.isEmpty());
}

TEST_F(OptimizationModuleFile, ModulesOfTheProgramFolderAllRead)
{
    EXPECT_EQ(optimizationModulePath("x.opt"), globals().RootDir + "optimization/x.opt");
    const QStringList names = QDir(globals().RootDir + "optimization").entryList({ "*.opt" }, QDir::Files);
    ASSERT_GE(names.size(), 3);
    for (const QString& name : names) {
        const OptimizationModule module = readOptimizationModule(optimizationModulePath(name));
        ASSERT_TRUE(module.ok) << name.toStdString() << ": " << module.error.toStdString();
        EXPECT_FALSE(module.product.isEmpty());
        EXPECT_EQ(module.coefficients[0], 0.0f) << "no shift in calm air";
        EXPECT_GT(module.coefficients[1], 0.0f) << name.toStdString();
        EXPECT_GE(module.coefficients[2], 0.0f) << name.toStdString();
    }
}

} // namespace
