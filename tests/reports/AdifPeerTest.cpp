// Our ADIF export as another program reads it: adif-parser-ts, run under node, gets every field
// we mean it to.
#include "reports/AdifExport.h"
#include "support/TestFiles.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

ContactRecord rec(const char* call, const char* cls, const char* sect, const char* time, const char* band,
                  const char* mode, const char* freq = "")
{
    return {QString::fromLatin1(call),    QString::fromLatin1(cls),  QString::fromLatin1(sect),
            QStringLiteral("2026/06/27"), QString::fromLatin1(time), QString::fromLatin1(band),
            QString::fromLatin1(mode),    QStringLiteral("AB"),      QString::fromLatin1(freq)};
}

// The reader's view of the file: header and records, field names in lower case.
QJsonObject readWithPeer(const QString& path)
{
    const QString node = QStandardPaths::findExecutable("node");
    EXPECT_FALSE(node.isEmpty()) << "node is missing: install nodejs (scripts/install-deps)";
    const QString nodeDir = QStringLiteral(FDLOG_NODE_DIR);
    if (!QFileInfo::exists(nodeDir + "/node_modules/adif-parser-ts/package.json")) {
        QProcess install;
        install.start(QStringLiteral(FDLOG_INSTALL_NODE_PACKAGES), {nodeDir});
        EXPECT_TRUE(install.waitForFinished(180000));
        EXPECT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("NODE_PATH", nodeDir + "/node_modules");
    p.setProcessEnvironment(env);
    p.start(node, {QStringLiteral(FDLOG_READ_ADIF_JS), path});
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

} // namespace

TEST(AdifPeer, AnotherReaderGetsEveryField)
{
    const std::vector<ContactRecord> log{
        rec("K1ABC", "2A", "ENY", "18:05", "20", "CW", "14.025"),
        rec("VE3XYZ", "1D", "ONS", "9:07:30", "70", "PH"),
        rec("W1AW", "3A", "CT", "2359", "SAT", "DIG", "435.3"),
        rec("VY1AA", "1B", "TER", "00:01", "6", "DIG"),
    };
    AdifOptions o;
    o.digitalMode = QStringLiteral("FT4");
    TempDataDir dir;
    writeBytes(dir.file("peer.adi"), buildAdif(log, o, "Field Day Logger 1.00", "6/28/26"));
    const QJsonObject got = readWithPeer(dir.file("peer.adi"));
    EXPECT_EQ(got["header"].toObject()["adif_ver"].toString(), "3.1.4");
    const QJsonArray records = got["records"].toArray();
    ASSERT_EQ(records.size(), 4);

    // Every field of each record as "name=value;...", after the fields all records share.
    const QString common = "qso_date=20260627;contest_id=ARRL-FIELD-DAY;tx_pwr=100;comment=ARRL Field Day Contest;"
                           "app_fdlog_initials=AB;";
    const QString expected[] = {
        "call=K1ABC;time_on=180500;band=20m;mode=CW;freq=14.025;class=2A;arrl_sect=ENY;dxcc=291;state=NY;cont=NA",
        "call=VE3XYZ;time_on=090730;band=70cm;mode=SSB;class=1D;arrl_sect=ONS;dxcc=1;country=Canada;cont=NA",
        "call=W1AW;time_on=235900;band=70cm;mode=MFSK;submode=FT4;freq=435.3;prop_mode=SAT;class=3A;arrl_sect=CT;"
        "dxcc=291;state=CT;cont=NA",
        "call=VY1AA;time_on=000100;band=6m;mode=MFSK;submode=FT4;class=1B;arrl_sect=TER;dxcc=1;country=Canada;cont=NA",
    };
    for (qsizetype i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(i);
        std::map<QString, QString> want;
        for (const QString& field : (common + expected[i]).split(';'))
            want[field.section('=', 0, 0)] = field.section('=', 1);
        std::map<QString, QString> have;
        const QJsonObject r = records[i].toObject();
        for (auto it = r.begin(); it != r.end(); ++it)
            have[it.key()] = it.value().toString();
        EXPECT_EQ(have, want);
    }
}
