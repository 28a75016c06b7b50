// A long random session: the real main window on the bundled sample data, driven by a
// few thousand random mouse and keyboard actions with a fixed seed. The test keeps its
// own account of what the user chose (the aircraft of each tree, the captions, the flap
// buttons, the page, which charts are zoomed) and after every action checks the window
// against it: every chart must hold what a fresh refresh of those choices gives, the
// trees must keep their selection rules, the layout its grid, and no error box may show.
//
// VARNEL_SESSION_SEED and VARNEL_SESSION_STEPS override the seed and the step count.
#include "random_session.h"

class AppRandomSessionTest : public QObject, public RandomSessionModel {
    Q_OBJECT

    // ---- actions ----

    void clickRoot(int t)
    {
        QTreeWidget *tr = tree(t);
        const int row = pick(tr->topLevelItemCount());
        QTreeWidgetItem *item = tr->topLevelItem(row);
        const QPoint at = scrollTo(tr, item);
        if (at.isNull())
            return;
        if (c_.selected[t] != row) {
            note(u"click root %1 of tree %2"_s.arg(row).arg(t + 1));
            QTest::mouseClick(tr->viewport(), Qt::LeftButton, {}, at);
            select(t, row);
        } else if (chance(30)) {
            // Whether a ctrl-click takes the selection away depends on what the tree
            // did before; either way the charts must follow, and the click may also
            // open the caption for editing.
            note(u"ctrl-click selected root %1 of tree %2"_s.arg(row).arg(t + 1));
            QTest::mouseClick(tr->viewport(), Qt::LeftButton, Qt::ControlModifier, at);
            const bool kept = tree(t)->SelectedCraft() != nullptr;
            if (!kept)
                select(t, -1);
            if (QTest::qWaitFor([tr] { return OpenEditor(tr) != nullptr; },
                                kept ? 1000 : 5 * QApplication::doubleClickInterval()))
                finishEdit(t, row);
        } else {
            // A click on the selected aircraft opens its caption for editing once the
            // double-click time has passed.
            note(u"click selected root %1 of tree %2, then edit"_s.arg(row).arg(t + 1));
            QTest::mouseClick(tr->viewport(), Qt::LeftButton, {}, at);
            if (!QTest::qWaitFor([tr] { return OpenEditor(tr) != nullptr; }, 3000))
                failure_ = u"no caption editor opened"_s;
            else
                finishEdit(t, row);
        }
    }

    // Types a new caption and confirms it, or leaves the editor with Escape.
    void finishEdit(int t, int row)
    {
        QLineEdit *editor = OpenEditor(tree(t));
        if (chance(35)) {
            note(u"  escape"_s);
            TypeText(editor, u"junk"_s);
            QTest::keyClick(editor, Qt::Key_Escape);
        } else {
            const QString name = kNewCaptions[pick(int(kNewCaptions.size()))];
            note(u"  type '%1'"_s.arg(name));
            QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(editor, Qt::Key_Backspace);
            TypeText(editor, name);
            QTest::keyClick(editor, Qt::Key_Return);
            c_.captions[t][row] = name;
            ++edits_;
        }
        QCoreApplication::processEvents();
        if (OpenEditor(tree(t)))
            failure_ = u"caption editor still open"_s;
    }

    void editByKey(int t)
    {
        QTreeWidget *tr = tree(t);
        QTreeWidgetItem *current = tr->currentItem();
        note(u"F2 in tree %1"_s.arg(t + 1));
        QTest::keyClick(tr, Qt::Key_F2);
        const bool root = current && !current->parent();
        if (root != (OpenEditor(tr) != nullptr)) {
            failure_ = root ? u"F2 on an aircraft opened no editor"_s : u"F2 on a child opened an editor"_s;
            return;
        }
        if (root)
            finishEdit(t, tr->indexOfTopLevelItem(current));
    }

    // Scrolls the item into view as the user would and gives a point on its visible
    // part, or a null point when none of it can be seen.
    static QPoint scrollTo(QTreeWidget *tr, QTreeWidgetItem *item)
    {
        tr->scrollToItem(item);
        const QRect seen = tr->visualItemRect(item) & tr->viewport()->rect();
        return seen.isEmpty() ? QPoint() : seen.center();
    }

    // All items below the roots that the user can see: their parents are expanded.
    static QList<QTreeWidgetItem *> visibleChildren(QTreeWidget *tr)
    {
        QList<QTreeWidgetItem *> out;
        std::function<void(QTreeWidgetItem *)> walk = [&](QTreeWidgetItem *item) {
            if (!item->isExpanded())
                return;
            for (int i = 0; i < item->childCount(); ++i) {
                out.append(item->child(i));
                walk(item->child(i));
            }
        };
        for (int i = 0; i < tr->topLevelItemCount(); ++i)
            walk(tr->topLevelItem(i));
        return out;
    }

    // After a key or an expand click: a move of the current item onto an aircraft
    // selects it, a move onto anything else leaves the selection alone.
    void followCurrent(int t, QTreeWidgetItem *before)
    {
        QTreeWidgetItem *after = tree(t)->currentItem();
        if (after != before && after && !after->parent())
            select(t, tree(t)->indexOfTopLevelItem(after));
    }

    void clickChild(int t)
    {
        QTreeWidget *tr = tree(t);
        const QList<QTreeWidgetItem *> children = visibleChildren(tr);
        if (children.isEmpty())
            return toggleExpand(t);
        QTreeWidgetItem *item = children[pick(int(children.size()))];
        note(u"click child '%1' of tree %2"_s.arg(item->text(0)).arg(t + 1));
        const QPoint at = scrollTo(tr, item);
        if (!at.isNull())
            QTest::mouseClick(tr->viewport(), Qt::LeftButton, {}, at);
    }

    void toggleExpand(int t)
    {
        QTreeWidget *tr = tree(t);
        // Any expanded item, or a root, has its expand button clicked.
        QList<QTreeWidgetItem *> candidates;
        for (QTreeWidgetItem *item : visibleChildren(tr))
            if (item->childCount() > 0)
                candidates.append(item);
        for (int i = 0; i < tr->topLevelItemCount(); ++i)
            candidates.append(tr->topLevelItem(i));
        QTreeWidgetItem *item = candidates[pick(int(candidates.size()))];
        note(u"expand button of '%1' in tree %2"_s.arg(item->text(0)).arg(t + 1));
        tr->scrollToItem(item);
        const QRect r = tr->visualItemRect(item);
        const QPoint at(r.left() - tr->indentation() / 2, r.center().y());
        if (!tr->viewport()->rect().contains(at))
            return;
        QTreeWidgetItem *before = tr->currentItem();
        QTest::mouseClick(tr->viewport(), Qt::LeftButton, {}, at);
        followCurrent(t, before);
    }

    void arrowKey(int t)
    {
        static const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right};
        const Qt::Key key = keys[pick(4)];
        QTreeWidget *tr = tree(t);
        note(u"key %1 in tree %2"_s.arg(QKeySequence(key).toString()).arg(t + 1));
        QTreeWidgetItem *before = tr->currentItem();
        QTest::keyClick(tr, key);
        followCurrent(t, before);
    }

    void clickFlap()
    {
        const int i = pick(4);
        note(u"flap button %1"_s.arg(i + 1));
        QTest::mouseClick(flapButton(i), Qt::LeftButton);
        c_.marked[size_t(i)] = !c_.marked[size_t(i)];
        refreshed();
    }

    void clickTab()
    {
        QTabBar *bar = w_->pages_Charts->tabBar();
        const int i = pick(bar->count());
        const QPoint at = bar->tabRect(i).center();
        note(u"tab %1"_s.arg(i));
        if (!bar->rect().contains(at))
            return;  // scrolled out of sight
        QTest::mouseClick(bar, Qt::LeftButton, {}, at);
        c_.page = i;
    }

    void doubleClickChart()
    {
        const QVector<TChart *> charts = visibleCharts();
        if (charts.isEmpty())
            return;
        TChart *chart = charts[pick(int(charts.size()))];
        note(u"double-click %1"_s.arg(chart->objectName()));
        const QPoint at = pointIn(chart->rect());
        QTest::mousePress(chart, Qt::LeftButton, {}, at);
        QTest::mouseRelease(chart, Qt::LeftButton, {}, at);
        QTest::mouseDClick(chart, Qt::LeftButton, {}, at);
        QTest::mouseRelease(chart, Qt::LeftButton, {}, at);
        // A chart of the common page opens its own page; any other returns to the common page.
        c_.page = chart->Tag() >= 1 && chart->Tag() <= 4 ? chart->Tag() : 0;
    }

    void leftDrag()
    {
        const QVector<TChart *> charts = visibleCharts();
        if (charts.isEmpty())
            return;
        TChart *chart = charts[pick(int(charts.size()))];
        const QRect area = chart->PlotArea().adjusted(-10, -10, 10, 10);
        const QPoint from = pointIn(area);
        // Short drags too, around the 16-pixel limit.
        const QPoint to = chance(30) ? from + QPoint(pick(41) - 20, pick(41) - 20) : pointIn(area);
        note(u"left drag on %1 from (%2,%3) to (%4,%5)"_s.arg(chart->objectName())
                 .arg(from.x()).arg(from.y()).arg(to.x()).arg(to.y()));
        QTest::mousePress(chart, Qt::LeftButton, {}, from);
        QTest::mouseMove(chart, (from + to) / 2);
        QTest::mouseMove(chart, to);
        QTest::mouseRelease(chart, Qt::LeftButton, {}, to);
        const QPoint d = to - from;
        if (std::abs(d.x()) > 16 && std::abs(d.y()) > 16)
            c_.zoomed[chart->objectName()] = d.x() > 0;
    }

    void rightDrag()
    {
        const QVector<TChart *> charts = visibleCharts();
        if (charts.isEmpty())
            return;
        TChart *chart = charts[pick(int(charts.size()))];
        QPoint at = pointIn(chart->PlotArea());
        note(u"right drag on %1"_s.arg(chart->objectName()));
        QTest::mousePress(chart, Qt::RightButton, {}, at);
        for (int k = pick(4); k >= 0; --k) {
            const QPoint next = at + QPoint(pick(61) - 30, pick(61) - 30);
            QTest::mouseMove(chart, next);
            if (next != at)
                c_.zoomed[chart->objectName()] = true;
            at = next;
        }
        QTest::mouseRelease(chart, Qt::RightButton, {}, at);
    }

    void resizeWindow()
    {
        const QSize size(700 + pick(600), 560 + pick(400));
        note(u"resize to %1x%2"_s.arg(size.width()).arg(size.height()));
        w_->resize(size);
    }

    void dragSplitter()
    {
        QSplitterHandle *handle = w_->Splitter->handle(1);
        const int x = chance(20) ? pick(40) : pick(w_->Splitter->width());
        note(u"splitter drag to %1"_s.arg(x));
        const QPoint from = handle->rect().center();
        const QPointF to(from.x() + x - w_->Splitter->sizes()[0], from.y());
        QTest::mousePress(handle, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, handle->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(handle, &move);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, to.toPoint());
    }

    void randomAction()
    {
        const int t = pick(2);
        // Tree actions need the left panel open; while it is collapsed the user drags
        // the splitter instead.
        const bool trees = treesReachable();
        struct Action {
            int weight;
            const char *name;
            std::function<void()> run;
        };
        const Action actions[] = {
            {22, "root click", [&] { trees ? clickRoot(t) : dragSplitter(); }},
            {8, "child click", [&] { trees ? clickChild(t) : dragSplitter(); }},
            {6, "expand button", [&] { trees ? toggleExpand(t) : dragSplitter(); }},
            {12, "arrow key", [&] { trees ? arrowKey(t) : dragSplitter(); }},
            {2, "F2 edit", [&] { trees ? editByKey(t) : dragSplitter(); }},
            {12, "flap button", [&] { clickFlap(); }},
            {8, "tab", [&] { clickTab(); }},
            {7, "chart double-click", [&] { doubleClickChart(); }},
            {8, "left drag", [&] { leftDrag(); }},
            {5, "right drag", [&] { rightDrag(); }},
            {5, "resize", [&] { resizeWindow(); }},
            {5, "splitter drag", [&] { dragSplitter(); }},
        };
        int total = 0;
        for (const Action &a : actions)
            total += a.weight;
        int roll = pick(total);
        for (const Action &a : actions) {
            if (roll < a.weight) {
                ++tally_[QString::fromLatin1(a.name)];
                return a.run();
            }
            roll -= a.weight;
        }
    }

    static quint32 envOr(const char *name, quint32 fallback)
    {
        bool ok = false;
        const quint32 v = qEnvironmentVariable(name).toUInt(&ok);
        return ok ? v : fallback;
    }

private slots:
    void initTestCase()
    {
        SetErrorBoxHook([this](const QString &text) { messages_ << text; });
        // The caption editor opens this long after a click on the selected aircraft.
        QApplication::setDoubleClickInterval(20);
    }
    void cleanupTestCase()
    {
        w_.reset();
        SetErrorBoxHook(nullptr);
    }

    void session()
    {
        const quint32 seed = envOr("VARNEL_SESSION_SEED", 4071971);
        const int steps = int(envOr("VARNEL_SESSION_STEPS", 2500));
        rng_.seed(seed);
        qInfo("random session: seed %u, %d steps", seed, steps);

        QDir::setCurrent(kSampleDir);
        w_ = std::make_unique<Tfrm_Main>();
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        QCoreApplication::sendPostedEvents(w_.get(), WM_LOADFMD);
        QCOMPARE(messages_, QStringList());
        QCOMPARE(w_->panel0->text(), u"crafts loaded: 14"_s);

        // The aircraft as the test finds them on disk, with tables of its own.
        QStringList onDisk;
        for (const QString &entry : QDir(kSampleDir + u"/DataSpeed"_s).entryList({u"*_speed.txt"_s}, QDir::Files))
            onDisk << entry.left(entry.indexOf(u"_speed"_s));
        for (int t = 0; t < 2; ++t) {
            QTreeWidget *tr = tree(t);
            QCOMPARE(tr->topLevelItemCount(), int(onDisk.size()));
            for (int row = 0; row < tr->topLevelItemCount(); ++row)
                c_.captions[t] << tr->topLevelItem(row)->text(0);
        }
        QCOMPARE(c_.captions[0], c_.captions[1]);
        QStringList sorted = c_.captions[0];
        sorted.sort();
        onDisk.sort();
        QCOMPARE(sorted, onDisk);
        for (const QString &name : std::as_const(c_.captions[0])) {
            tables_.push_back(ReadAircraft(DataPaths{kSampleDir}, name));
            profiles_.push_back(ReadSpeedProfile(kSampleDir + u"/DataSpeed/"_s + name + u"_speed.txt"_s));
        }
        QString problem = checkAll();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        for (int step = 1; step <= steps; ++step) {
            randomAction();
            problem = checkAll();
            if (problem.isEmpty() && step % 250 == 0)
                problem = checkAnswers();
            QVERIFY2(problem.isEmpty(),
                     qPrintable(u"seed %1, step %2: %3\nlast actions:\n  %4"_s.arg(seed).arg(step).arg(problem,
                                                                                          recent_.join(u"\n  "_s))));
        }
        QStringList kinds;
        for (const auto &[kind, count] : tally_)
            kinds << u"%1 %2"_s.arg(count).arg(kind);
        qInfo("random session: %d steps passed (%s; %d refreshes, %d captions typed)", steps,
              qPrintable(kinds.join(u", "_s)), refreshes_, edits_);
    }
};

QTEST_MAIN(AppRandomSessionTest)
#include "app_random_session.moc"
