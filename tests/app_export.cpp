// Sharing a comparison: the export's pictures and failures, PNG and SVG as written, and
// a failed write that keeps the folder as it was.
#include "export_fixture.h"

class AppExport : public ExportFixture {
    Q_OBJECT

private slots:
    void pngRoundTrip();
    void exportSet_data();
    void exportSet();
    void vectorPicturesNeedNoPixels_data();
    void vectorPicturesNeedNoPixels();
    void failures_data();
    void failures();
    void svgWithControlCharacters();
    void failedWriteKeepsTheFolder_data();
    void failedWriteKeepsTheFolder();
};

void AppExport::exportSet_data()
{
    formatRows();
}

void AppExport::exportSet()
{
    QFETCH(QString, format);
    QTemporaryDir out;
    ExportOptions o = options(out.path() + "/new/sub");
    o.format = format;
    o.size = QSize(320, 240);
    o.scale = 2;
    const ExportOutcome result = RunExport(o, data_.path());
    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    QCOMPARE(result.exitCode, 0);
    QStringList expected;
    for (const QString &slug : PageSlugs())
        expected << QString(o.outDir) + "/" + slug + "." + format;
    QCOMPARE(result.written, expected);
    QCOMPARE(QDir(QString(o.outDir)).entryList(QDir::Files).size(), 7);  // no temporary file left over

    const ComparisonPages pages(View{});
    for (const QString &path : expected) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        if (format == "png") {  // each page's picture under its own name, though encoded on another thread
            const QImage image = QImage::fromData(bytes, "PNG");
            QCOMPARE(image.size(), QSize(640, 480));
            const QString page = pages.tabText(int(expected.indexOf(path)));
            QVERIFY2(image.text("Description").startsWith(page + ": "), qPrintable(path));
        } else if (format == "pdf") {
            QVERIFY(bytes.startsWith("%PDF"));
        } else {
            QXmlStreamReader xml(bytes);
            int paths = 0, texts = 0;
            while (!xml.atEnd())
                if (xml.readNext() == QXmlStreamReader::StartElement) {
                    paths += xml.name() == u"path" || xml.name() == u"polyline";
                    texts += xml.name() == u"text";
                }
            QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
            // A chart page has lines; the verdict page, this small, its sentences alone.
            QVERIFY2((paths > 0 || path.endsWith("verdict." + format)) && texts > 0, qPrintable(path));
        }
    }
}

// An SVG or PDF picture is lines and text: however large, it needs no pixels of its size
// (8192 x 8192 pixels of four bytes are 256 MB a buffer).
void AppExport::vectorPicturesNeedNoPixels_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("svg") << "svg";
    QTest::newRow("pdf") << "pdf";
}

void AppExport::vectorPicturesNeedNoPixels()
{
    QFETCH(QString, format);
    const long before = MemoryKb("VmRSS:");
    if (before < 0 || !ResetMemoryPeak())
        QSKIP("this system does not tell the peak memory of a process");
    QTemporaryDir out;
    ExportOptions o = options(out.path());
    o.format = format;
    o.size = QSize(8192, 8192);
    o.advantage = true;
    const ExportOutcome result = RunExport(o, data_.path());
    QCOMPARE(result.exitCode, 0);
    const long grown = MemoryKb("VmHWM:") - before;
    QVERIFY2(grown < 200 * 1024, qPrintable(QStringLiteral("%1 MB more at the peak").arg(grown / 1024)));
}

void AppExport::failures_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("outDir");  // "FILE": a plain file stands where the folder should go
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown first") << "Zulu" << "Bravo" << "out" << 1 << "varnel: no aircraft \"Zulu\" in %1/DataSpeed";
    QTest::newRow("unknown second") << "" << "Alpah" << "out" << 1
                                    << "varnel: no aircraft \"Alpah\" in %1/DataSpeed; did you mean \"Alpha\"?";
    QTest::newRow("data error, second") << "Alpha" << "Broken" << "out" << 1
                                        << "varnel: 'fast' is not a valid floating point value. (Broken: Broken_speed.txt, строка 2, столбец 2.)";
    QTest::newRow("data error, first") << "Broken" << "Alpha" << "out" << 1
                                       << "varnel: 'fast' is not a valid floating point value. (Broken: Broken_speed.txt, строка 2, столбец 2.)";
    QTest::newRow("folder is a file") << "Alpha" << "" << "FILE" << 1 << "varnel: Cannot create folder";
    QTest::newRow("under a file") << "Alpha" << "" << "FILE/sub" << 1 << "varnel: Cannot create folder";
    QTest::newRow("one side empty") << "" << "Bravo" << "out" << 0 << "";
}

void AppExport::failures()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, outDir);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    QTemporaryDir tmp;
    WriteFile(tmp.path() + "/FILE", "not a folder");
    ExportOptions o = options(tmp.path() + "/" + outDir);
    o.first = first;
    o.second = second;
    const ExportOutcome result = RunExport(o, data_.path());
    QCOMPARE(result.exitCode, exitCode);
    if (error.isEmpty())
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    else if (error.contains("%1"))
        QCOMPARE(result.error, error.arg(data_.path()));
    else
        QVERIFY2(result.error.startsWith(error), qPrintable(result.error));
    if (exitCode != 0) {
        // Nothing written: not a picture, not the folder.
        QVERIFY(result.written.isEmpty());
        QVERIFY(!QFileInfo::exists(tmp.path() + "/out"));
    }
}

void AppExport::pngRoundTrip()
{
    // Every pixel comes back as it went in: opaque pictures (written as RGB) and ones
    // with transparent and half-transparent pixels (RGBA, from premultiplied pixels as
    // the pages are drawn, one with a single such pixel), odd sizes, one-pixel ones; the
    // text chunks are kept.
    for (const QSize size : {QSize(37, 23), QSize(1, 1)}) {
        for (const int alphaFloor : {255, 128, 0}) {  // opaque; all half-transparent; with clear pixels
            QImage image(size, QImage::Format_ARGB32);
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    image.setPixel(x, y, qRgba(x * 7, y * 11, (x * y) % 256, alphaFloor + (x * 13 + y) % (256 - alphaFloor)));
            for (const QImage &source : {image, image.convertToFormat(QImage::Format_ARGB32_Premultiplied)}) {
                for (const int parts : {1, 3}) {  // the rows compressed at once or in runs joined
                    const QImage back = QImage::fromData(EncodePng(source, {}, parts), "PNG");
                    QCOMPARE(back.convertToFormat(source.format()), source);
                    QCOMPARE(back.hasAlphaChannel(), alphaFloor < 255);
                }
            }
        }
        // Opaque but for its last pixel: still written with alpha.
        QImage almost(size, QImage::Format_ARGB32_Premultiplied);
        almost.fill(qRgb(10, 200, 30));
        almost.setPixel(size.width() - 1, size.height() - 1, qPremultiply(qRgba(10, 200, 30, 254)));
        QCOMPARE(QImage::fromData(EncodePng(almost), "PNG").convertToFormat(almost.format()), almost);
    }
    const QImage tagged = QImage::fromData(
        EncodePng(QImage(2, 2, QImage::Format_RGB32), {{"Title", "Tarn-5 — Skarn-7"}, {"Software", "Varnel"}}), "PNG");
    QCOMPARE(tagged.text("Title"), QStringLiteral("Tarn-5 — Skarn-7"));
    QCOMPARE(tagged.text("Software"), QStringLiteral("Varnel"));
}

void AppExport::svgWithControlCharacters()
{
    // Names a file may hold but XML may not: every SVG stays well-formed.
    QTemporaryDir data, out;
    const QString first = QString::fromUtf8("Esc\x1b-\x01-\x0c"), second = QString::fromUtf8("Tab\tCR\r\uFFFE\uFFFF");
    WriteFixtureCraft(data.path(), first);
    WriteFixtureCraft(data.path(), second, 40);
    ExportOptions o = options(out.path());
    o.first = first;
    o.second = second;
    o.format = "svg";
    const ExportOutcome result = RunExport(o, data.path());
    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    QCOMPARE(result.written.size(), 7);
    for (const QString &path : result.written) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(path + ": " + xml.errorString()));
    }
}

void AppExport::failedWriteKeepsTheFolder_data()
{
    // Each step of the write failing for one picture: the first, or the last (after
    // the others have taken their names and replaced earlier pictures).
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("reason");
    for (const char *step : {"open", "write", "sync", "close", "aside", "place"})
        for (const int index : {0, int(PageSlugs().size()) - 1})
            QTest::addRow("%s %d", step, index) << step << index << "No space left on device";
    QTest::newRow("full disk") << "" << 3 << "File too large";
}

void AppExport::failedWriteKeepsTheFolder()
{
    QFETCH(QString, step);
    QFETCH(int, index);
    QFETCH(QString, reason);
    QTemporaryDir tmp;
    const QString dir = tmp.path() + "/out";
    QList<Picture> pictures;
    for (const QString &slug : PageSlugs())
        pictures.append({slug + ".png", QByteArray(slug == PageSlugs()[index] ? 100000 : 100, 'n')});
    // Earlier pictures under the same names (the last one of them among them) and a file of the user's.
    WriteFile(dir + "/overview.png", "old overview");
    WriteFile(dir + "/verdict.png", "old verdict");
    WriteFile(dir + "/notes.txt", "mine");
    const QMap<QString, QByteArray> before = Snapshot(dir);

    // Before every step each earlier picture's name holds a whole picture, old or new.
    QStringList torn;
    SetPictureFault([&](const char *at, int i) {
        const QMap<QString, QByteArray> now = Snapshot(dir);
        for (const QString &name : {QStringLiteral("overview.png"), QStringLiteral("verdict.png")})
            if (now.value(name) != before[name] && now.value(name) != pictures[int(PageSlugs().indexOf(name.chopped(4)))].bytes)
                torn << QStringLiteral("%1 %2: %3").arg(QLatin1String(at)).arg(i).arg(name);
        return at == step && i == index ? ENOSPC : 0;
    });
    QString error, fresh;
    {
        std::optional<FileSizeLimit> fullDisk;
        if (step.isEmpty())
            fullDisk.emplace(50000);
        error = ErrorOf([&] { WritePictures(FileName(dir), pictures); });
        // Into a folder that is not there yet (nothing to move aside): it does not stay.
        fresh = ErrorOf([&] { WritePictures(FileName(tmp.path() + "/new/sub"), pictures); });
    }
    SetPictureFault(nullptr);
    const QString path = dir + "/" + QString(pictures[index].fileName);
    QCOMPARE(error, "Cannot write file \"" + path + "\". " + reason);
    QCOMPARE(Snapshot(dir), before);
    QCOMPARE(fresh.isEmpty(), step == "aside");
    QCOMPARE(QFileInfo::exists(tmp.path() + "/new"), fresh.isEmpty());
    QCOMPARE(torn, QStringList());

    // Without a fault the set replaces the earlier pictures and leaves nothing else:
    // what earlier runs ended by force left under the temporary names goes too (no
    // process has a number that high), a hidden file of another kind stays.
    for (const char *left : {"/.varnel-new-4194399-1x", "/.varnel-old-4194399-2y", "/.overview.png.new-3z"})
        WriteFile(dir + left, "left");
    QCOMPARE(WritePictures(FileName(dir), pictures).size(), 7);
    const QMap<QString, QByteArray> after = Snapshot(dir);
    QCOMPARE(after.size(), 9);
    QVERIFY(after.contains(".overview.png.new-3z"));
    QCOMPARE(after["verdict.png"], pictures.last().bytes);
}

QTEST_MAIN(AppExport)
#include "app_export.moc"
#include "moc_export_fixture.cpp"
