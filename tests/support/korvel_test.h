#pragma once
// The base fixture of every test: each test gets its own registry folder and
// program folder and starts from freshly reset module data.
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class KorvelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A private copy of the program folder (executables' data files), ending in "/".
    QString programDir() const;
    // A private scratch folder for files a test writes, ending in "/".
    QString workDir() const;
    // The private registry folder (KORVEL_REGISTRY_DIR points at it).
    QString registryDir() const;

private:
    QTemporaryDir m_root;
};
