#include <QTest>

#include "application.h"

class TestTitle : public QObject {
    Q_OBJECT

private slots:
    void title_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("upper case") << "/usr/bin/TEST.EXE" << "Test";
        QTest::newRow("first full stop") << "/opt/my.tool.exe" << "my";
        QTest::newRow("mixed case") << "/opt/FormulaTest.EXE" << "Formulatest";
        QTest::newRow("single letter") << "/home/u/A.B.exe" << "A";
        QTest::newRow("no full stop") << "/usr/local/bin/formula-test" << "formula-test";
        QTest::newRow("Cyrillic") << "/opt/ТЕСТ.ФОРМУЛЫ" << "Тест";
        QTest::newRow("first kept lower") << "/opt/тЕСТ" << "тест";
        QTest::newRow("dotted directory") << "/opt/v1.2/PROG" << "Prog";
        QTest::newRow("no directory") << "ZZ.exe" << "Zz";
        QTest::newRow("leading full stop") << "/opt/.Hidden" << "";
        QTest::newRow("first not a letter") << "/opt/_ABC" << "_abc";
        QTest::newRow("first outside the BMP") << "/opt/\U0001D400BC" << "\U0001D400bc";
    }

    void title()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(ApplicationTitle(path), title);
    }
};

QTEST_APPLESS_MAIN(TestTitle)
#include "title_test.moc"
