#pragma once
// The one window that shows any calculator form: it builds its controls from
// the form's layout, passes the user's actions to the form and shows what
// the form's controls hold afterwards.
#include <QDialog>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <QPointer>

#include "forms/CForm.h"
#include "forms/FormRegistry.h"
#include "gui/CHelpDlg.h"
#include "report/RatingTable.h"

class QGridLayout;
class QLabel;
class QPushButton;
class QScrollArea;

namespace dralun {

class CFieldEdit;

class CPictureWidget;
class CQtMessageSink;
struct SolveOutcome;

class CFormWindow : public QDialog {
    Q_OBJECT
public:
    // sink: where messages go; nullptr shows real message boxes.
    CFormWindow(const FormInfo& info, QWidget* parent = nullptr, IMessageSink* sink = nullptr);
    ~CFormWindow() override;

    CForm& Form() { return *m_form; }
    // Does something with the form as the user would, then shows the result.
    void Perform(const std::function<void(CForm&)>& action);
    QWidget* Control(int id) const;
    // Runs the report's modal dialogs (header, preview, file); the tests
    // answer them. By default each is exec()'d.
    void SetModalRunner(std::function<int(QDialog&)> runner) { m_runModal = std::move(runner); }
    // Who takes the calculation into the project: with one set, the button
    // "In Projekt übernehmen" under "Bericht…" computes and then calls it.
    void SetKeeper(std::function<void(CFormWindow&)> keeper);
    // A note at the top of the window, one line each (none: no note).
    void ShowBanner(const QStringList& lines);
    QLabel* Banner() const { return m_banner; }
    // The line that says the results shown are not those of the inputs
    // shown ("Eingaben geändert – Rechne drücken"); empty when they are.
    QLabel* StaleLine() const { return m_staleLine; }
    // The rating table the user added to the form's report, as its request
    // (it is computed anew with the inputs the report shows); none: none.
    const std::optional<RatingRequest>& ReportRating() const { return m_reportRating; }
    void SetReportRating(std::optional<RatingRequest> request) { m_reportRating = std::move(request); }
    // Types a value found by "Zielwert…" into the form and computes, so that
    // the window shows it; false when the form refused the value.
    bool ApplySolution(int vary, const SolveOutcome& outcome);

    // "Zufluss…" beside the discharge field of a form that takes the design
    // discharge of a catchment (nullptr in the others), and what its dialog
    // does on "Übernehmen": types Q into the form as the user types a value.
    QPushButton* InflowButton() const { return m_inflowButton; }
    Refusal TypeInflow(const FormInflow& inflow);

    // The verdict of the form's check beside its results, in words and
    // colour; hidden in a form that checks nothing.
    QLabel* VerdictLine() const { return m_verdictLine; }
    // The form's fields, pictures and group boxes, scrolled inside the
    // window where the screen is too small; its buttons stand beside them.
    QScrollArea* FieldArea() const { return m_fieldArea; }
    QWidget* ButtonColumn() const { return m_buttonColumn; }
    // The help page of the form (F1), shown beside it.
    void ShowHelp();
    CHelpDlg* HelpWindow() const { return m_help; }
    // Sizes the window to show the whole form where the screen's room
    // (available geometry, its title bar and frame included) allows, and
    // scrolls the fields where it does not. Without a room set, the room is
    // that of the window's screen.
    void FitInto(const QRect& room);

    void reject() override; // Escape, "Abbruch" and the close box

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build(const FormLayout& items, QGridLayout* grid, bool topLevel = false);
    bool IsButtonColumn(const LayoutItem& item) const;
    static QScrollArea* MakeFieldArea(QWidget* fields);
    static QLabel* MakeVerdictLine();
    void FitWindow();
    bool NeedsFit() const;
    QRect Room() const;
    void ShowVerdict();
    void ShowField(int id, CFieldEdit* edit, bool allDigits);
    void SetRadioTabStops();
    bool MoveInRadioGroup(QWidget* radio, int key);
    QWidget* MakeControl(int id, int chars = 0);
    QWidget* MakeEdit(int id, int chars);
    void Run(const std::function<void()>& action);
    void ShowListMarks();
    void ShowStale();
    bool IsResultList(int id) const;
    void Sync();
    QStringList Items(int id) const;
    QWidget* WithReportButton(QWidget* compute, const QGridLayout* grid);
    void OnReport();
    void OnRatingTable();
    void OnSolve();
    void OnKeep();
    QWidget* WithInflowButton(QWidget* edit);
    void OnInflow();
    bool ComputeFirst();

    std::unique_ptr<CQtMessageSink> m_ownSink;
    std::unique_ptr<CForm> m_form;
    std::map<int, QWidget*> m_widgets;
    std::vector<CPictureWidget*> m_drawn;
    bool m_busy = false;
    int m_computeId = kNoComputeButton;  // "Rechne", when the form has it
    QPushButton* m_reportButton = nullptr; // "Bericht…" under it
    QPushButton* m_ratingButton = nullptr; // "Wertetabelle…" and "Zielwert…" beside "Bericht…"
    QPushButton* m_solveButton = nullptr;
    QPushButton* m_keepButton = nullptr;   // "In Projekt übernehmen" under them
    int m_inflowField = 0;                 // the discharge field "Zufluss…" types into; 0: none
    QPushButton* m_inflowButton = nullptr;
    QLabel* m_banner = nullptr;
    QLabel* m_staleLine = nullptr;
    QLabel* m_verdictLine = nullptr;
    QScrollArea* m_fieldArea = nullptr;
    QWidget* m_fields = nullptr;        // the scrolled grid of the form
    QWidget* m_buttonColumn = nullptr;  // "Rechne", "Abbruch"… beside it
    std::optional<QRect> m_room;        // set by FitInto
    QSize m_fittedNatural;              // the window's whole size at the last fit
    int m_fittedWidth = 0;              // the width it was fitted to,
    int m_fittedWrapped = 0;            // and the height its wrapped lines needed there
    std::map<int, QString> m_typed;     // what the user typed into each field last
    QPointer<CHelpDlg> m_help;
    std::optional<bool> m_shownStale;         // as the results are shown now
    std::map<QWidget*, QPalette> m_freshLists; // result lists' palettes while grey
    std::function<void(CFormWindow&)> m_keeper;
    std::optional<RatingRequest> m_reportRating;
    std::function<int(QDialog&)> m_runModal = [](QDialog& dialog) { return dialog.exec(); };
};

} // namespace dralun
