#pragma once
// The verdict page ("Кто лучше"): a strip per compared pair (the verdict at a glance),
// a few sentences, one per compared pair, then the
// tables of the verdict (summary values, speed and climb every 1,000 m, best figures),
// each winning cell tinted pale in its aircraft's colour. With one aircraft or none
// it says what is missing.
#include "verdict/verdict.h"

#include <QColor>
#include <QScrollArea>

#include <array>
#include <functional>

class QLabel;
class QTableWidget;
class VerdictStrips;

class VerdictPage : public QScrollArea {
    Q_OBJECT
public:
    explicit VerdictPage(QWidget *parent = nullptr);

    // Computes and shows the verdict of the two aircraft (either may be null) at these
    // flap settings. Raises, as the charts' refresh does, when an aircraft's data fail;
    // the page then shows no verdict, only that the data could not be read.
    void SetComparison(const Aircraft *first, const Aircraft *second, FlapSet shown);
    void ShowVerdict(const Verdict &verdict);
    // The verdict shown now (an empty one while nothing is compared or the data failed).
    const Verdict &Shown() const { return verdict_; }

    // Made ready for a picture of its size as it is now: no scroll bars, the content
    // laid out at that width from the top, its text shrunk to fit (not below 7 points);
    // what still does not fit is left out by whole rows, under a line that says so.
    void FitPicture();

    // The pale background of a cell won by aircraft 1 (blue) or 2 (red).
    static QColor Tint(int aircraft);
    // The text colour that reads on a background: black on a light one, white on a dark one.
    static QColor InkOn(const QColor &back);

private:
    void showComputed(const std::function<Verdict()> &compute);

    Verdict verdict_;
    // Built once and refilled: making widgets anew costs many times more than filling.
    VerdictStrips *strips_;
    QLabel *said_;
    std::array<QLabel *, 4> titles_;
    std::array<QTableWidget *, 4> tables_;
};
