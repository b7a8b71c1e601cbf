// Property bag defaults and property tables.
#include "controls/property_table.h"
#include "controls/qt/bag_values_qt.h"

#include <QtTest>

namespace {

// A stand-in control: one row of each storage, a rule that adjusts, one that
// refuses, and a rule run after the value is stored.
struct Toy {
    int width = 5;
    QString tip;
    bool hidden = false;
    int cache = 0;
    QFont font;
    int thens = 0;

    bool Even(int& v) {
        if (v < 0) return false;  // refused
        v += v % 2;               // adjusted
        return true;
    }
    void Count() { ++thens; }

    static const auto& Properties() {
        using property_table::Row;
        using property_table::Storage;
        static const auto table =
            std::make_tuple(Row<Toy, int>{"Width", &Toy::width, 5, Storage::Stored, &Toy::Even, &Toy::Count},
                            Row<Toy, QString>{"Tip", &Toy::tip, {}, Storage::ReadOnly},
                            Row<Toy, bool>{"Hidden", &Toy::hidden, false, Storage::WriteOnly},
                            Row<Toy, int>{"Cache", &Toy::cache, 0, Storage::RunTime, nullptr, &Toy::Count},
                            Row<Toy, QFont>{"Font", &Toy::font, {}});
        return table;
    }
};

}  // namespace

class TestPropertyBag : public QObject {
    Q_OBJECT
  private slots:
    void valuesEqualToTheirDefaultAreNotStoredAndComeBackInItsType() {
        PropertyBag bag;
        bag.Write<int>("ButtonStyle", 1, 1);
        QVERIFY(!bag.Contains("ButtonStyle"));
        QCOMPARE(bag.Read<int>("ButtonStyle", 1), 1);
        bag.Write<int>("ButtonStyle", 2, 1);
        QCOMPARE(bag.Read<int>("ButtonStyle", 1), 2);
        bag.Write<int>("ButtonStyle", 1, 1);  // back to the default: the key goes
        QCOMPARE(bag.Count(), 0);
        bag.WriteProperty("GroupID", true);
        QCOMPARE(bag.Read<short>("GroupID", 0), short(1));  // integers and truth values convert
        bag.WriteProperty("GroupID", u"3");
        QCOMPARE(bag.Read<short>("GroupID", 7), short(7));  // text does not
    }

    void tableRowsDriveReadWriteAndTheSetterRules() {
        QFont host(QStringLiteral("DejaVu Sans"));
        host.setPixelSize(13);
        PropertyBag stored;
        stored.WriteProperty("Width", 8);
        stored.WriteProperty("Tip", u"tip");
        stored.WriteProperty("Hidden", true);
        stored.WriteProperty("Cache", 4);
        Toy toy;
        property_table::ReadAll(toy, stored, Toy::Properties(), host);
        QCOMPARE(toy.width, 8);
        QCOMPARE(toy.tip, QString("tip"));
        QCOMPARE(toy.hidden, false);  // written only
        QCOMPARE(toy.cache, 0);       // run time only
        QCOMPARE(toy.font, host);     // absent: the host's font

        toy.hidden = true;
        toy.cache = 9;
        PropertyBag out;
        property_table::WriteAll(toy, out, Toy::Properties(), host);
        QVERIFY((out.Keys() ==
                 std::vector<std::string>{"Hidden", "Width"}));  // defaults and read-only rows are not written

        const auto& rows = Toy::Properties();
        QCOMPARE(property_table::NameOf(rows, &Toy::cache), "Cache");
        QCOMPARE(property_table::NameOf(rows, &Toy::thens), static_cast<const char*>(nullptr));  // no row holds it
        QCOMPARE(property_table::Set(toy, rows, &Toy::width, 3), "Width");
        QCOMPARE(toy.width, 4);  // the rule adjusted it
        QCOMPARE(toy.thens, 1);
        QCOMPARE(property_table::Set(toy, rows, &Toy::width, -2), static_cast<const char*>(nullptr));
        QCOMPARE(toy.width, 4);  // refused: unchanged, no rule after it
        QCOMPARE(toy.thens, 1);
        QCOMPARE(property_table::Set(toy, rows, &Toy::cache, 7), static_cast<const char*>(nullptr));  // not marked
        QCOMPARE(toy.cache, 7);
        QCOMPARE(toy.thens, 2);

        Toy other = toy;
        other.tip = "changed";
        other.font.setPixelSize(20);
        const auto changed = property_table::ChangedNames(toy, other, rows);
        QCOMPARE(QStringList(changed.begin(), changed.end()), QStringList({"Tip", "Font"}));
    }
};

QTEST_MAIN(TestPropertyBag)
#include "tst_property_bag.moc"
