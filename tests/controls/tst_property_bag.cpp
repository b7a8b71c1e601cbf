// Property bag defaults and the message-box seam.
#include "test_support.h"

#include "PropertyBag.h"

#include <QtTest>

class TestPropertyBag : public QObject {
    Q_OBJECT
private slots:
    void valuesEqualToTheirDefaultAreNotStored() {
        PropertyBag bag;
        bag.Write<int>("ButtonStyle", 1, 1);
        QVERIFY(!bag.Contains("ButtonStyle"));
        QCOMPARE(bag.Read<int>("ButtonStyle", 1), 1);
        bag.Write<int>("ButtonStyle", 2, 1);
        QCOMPARE(bag.Read<int>("ButtonStyle", 1), 2);
        bag.Write<int>("ButtonStyle", 1, 1);  // back to the default: the key goes
        QCOMPARE(bag.Count(), 0);
        bag.Write<QString>("Caption", "OK", "");
        QCOMPARE(bag.Read<QString>("Caption", ""), QString("OK"));
    }

    void storedValuesComeBackInTheDefaultsType() {
        PropertyBag bag;
        bag.WriteProperty("GroupID", QVariant(qint64(3)), QVariant(0));
        QCOMPARE(bag.ReadProperty("GroupID", QVariant::fromValue<short>(0)).metaType(), QMetaType::fromType<short>());
        QCOMPARE(bag.Read<short>("GroupID", 0), short(3));
    }

    void messageBoxesGoToTheInstalledHandler() {
        test_support::MessageRecorder rec;
        QCOMPARE(MsgBox::Show(nullptr, "text", MsgBox::vbExclamation, "title"), int(MsgBox::vbOK));
        QCOMPARE(rec.shown.size(), std::size_t(1));
        QCOMPARE(rec.shown[0].title, QString("title"));
        QCOMPARE(rec.shown[0].icon(), int(MsgBox::vbExclamation));
        {
            MsgBox::ScopedHandler inner([](const MsgBox::Request&) { return int(MsgBox::vbNo); });
            QCOMPARE(MsgBox::Show(nullptr, "q", MsgBox::vbYesNo, "t"), int(MsgBox::vbNo));
        }
        MsgBox::Show(nullptr, "again", 0, "t");
        QCOMPARE(rec.shown.size(), std::size_t(2));  // the outer handler is back
    }
};

QTEST_MAIN(TestPropertyBag)
#include "tst_property_bag.moc"
