#include "ui/SpotDisplays.h"

#include "log/Logbook.h"
#include "log/OperatingState.h"
#include "log/Station.h"
#include "rig/RigPoller.h"
#include "spots/SpotBoard.h"
#include "spots/SpotDupeCheck.h"
#include "spots/SpotSession.h"
#include "ui/BandMapView.h"
#include "ui/MainWindow.h"
#include "ui/SpectrumMapWindow.h"
#include "ui/SpotListWidget.h"
#include "util/Dialogs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr quint32 kWhite = 0xFFFFFF;
}

SpotDisplays::SpotDisplays(MainWindow& window, Station& station, SpotBoard& board, SpotSession& session, RigPoller& rig,
                           Dialogs& dialogs)
    : QObject(&window), m_window(window), m_station(station), m_board(board), m_session(session), m_rig(rig),
      m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("SpotDisplays"));
    auto* holder = new QWidget(&window);
    holder->setObjectName(QStringLiteral("SpotDisplay"));
    m_list = new SpotListWidget(board, holder);
    const auto utcOffset = [&station] { return station.state().utcOffset(); };
    m_strip = new BandMapView(board.store(), station.clock(), utcOffset, holder);
    m_strip->setObjectName(QStringLiteral("BandMapStrip"));
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    layout->addWidget(m_strip);
    window.placeSpotDisplay(holder);

    const EntryWorkflow& entry = window.entry();
    board.setWorkedCheck([&station, &entry](const QString& call) {
        return SpotDupeCheck(station.logbook().log(), entry.validator().callIndex())
            .worked(call, station.state().band(), station.state().mode());
    });
    connect(&board, &SpotBoard::spotAdded, this, &SpotDisplays::spotAdded);
    connect(&board, &SpotBoard::ownCallSpotted, this, [this](const QString& record) {
        m_dialogs.beep();
        m_window.entry().showLabels(LabelView{SpotBoard::spottedDialogText(), kWhite},
                                    LabelView{SpotBoard::spottedBoxText(record), kWhite});
    });
    connect(&session, &SpotSession::displayRefreshDue, this, &SpotDisplays::refreshMainDisplay);
    connect(m_list, &SpotListWidget::captionClicked, this, &SpotDisplays::spottingWanted);
    connect(m_list, &SpotListWidget::spotClicked, this, [this](const QString& call, const QString& mhz) {
        putCallInEntry(call, false);
        if (const auto f = Frequency::fromMHzText(mhz))
            tune(*f);
    });
    connect(m_strip, &BandMapView::labelPressed, this, &SpotDisplays::labelPressed);
    connect(m_strip, &BandMapView::labelHovered, this, [this](const QString& text) {
        m_window.entry().showLabels(std::nullopt, LabelView{text, kWhite});
    });
    connect(&station.state(), &OperatingState::bandChanged, this, &SpotDisplays::refreshMainDisplay);
    connect(&station.state(), &OperatingState::bandChanged, this, &SpotDisplays::markDupes);
    connect(&station.state(), &OperatingState::modeChanged, this, &SpotDisplays::markDupes);
    connect(&station.logbook(), &Logbook::appended, this, &SpotDisplays::markDupes);
    connect(&station.logbook(), &Logbook::reloaded, this, &SpotDisplays::markDupes);
    connect(this, &SpotDisplays::tuneRequested, &rig, &RigPoller::ChangeFrequency);
    refreshMainDisplay();
}

void SpotDisplays::refreshMainDisplay()
{
    const bool none = m_session.settings().source == QLatin1String("None");
    const bool list = m_session.settings().mainFormList;
    m_list->setVisible(!none && list);
    m_strip->setVisible(!none && !list);
    if (const auto edges = BandMap::bandEdges(m_station.state().band()))
        m_strip->setBands({{QString(), *edges}});
    else
        m_strip->setBands({});
}

void SpotDisplays::showSpectrumMap()
{
    if (!m_spectrum) {
        m_spectrum = new SpectrumMapWindow(
            m_board.store(), m_station.clock(), [this] { return m_station.state().utcOffset(); }, &m_window);
        connect(m_spectrum->map(), &BandMapView::labelPressed, this, &SpotDisplays::labelPressed);
    }
    m_spectrum->show();
    m_spectrum->raise();
    m_spectrum->map()->redraw();
}

void SpotDisplays::spotAdded()
{
    m_list->addNewestRow();
    redrawMaps();
}

void SpotDisplays::redrawMaps()
{
    if (m_strip->isVisibleTo(&m_window))
        m_strip->redraw();
    if (m_spectrum)
        m_spectrum->BandMapLabelDisplay();
}

void SpotDisplays::labelPressed(int slot, Qt::MouseButton button)
{
    const SpotStore::Slot s = m_board.store().slot(slot);
    if (button == Qt::RightButton) {
        tune(s.frequency);
        putCallInEntry(s.call, true);
        return;
    }
    // Any other button: the spot leaves both maps, and stays in the list.
    m_board.store().dismiss(slot);
    m_strip->redraw();
    if (m_spectrum)
        m_spectrum->BandMapLabelDisplay();
}

void SpotDisplays::putCallInEntry(const QString& call, bool tabOn)
{
    m_window.entry().setFieldText(EntryField::Call, call);
    m_window.redrawEntry();
    auto* edit = m_window.findChild<QLineEdit*>(QStringLiteral("txtCall"));
    if (!edit)
        return;
    m_window.activateWindow();
    edit->setFocus();
    // On from the call box as a typed call would go.
    if (tabOn)
        QCoreApplication::postEvent(edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
}

void SpotDisplays::tune(Frequency f)
{
    if (f.isValid() && m_rig.settings().rigType != QLatin1String("None"))
        emit tuneRequested(f);
}

void SpotDisplays::markDupes()
{
    m_board.refreshDupes();
    m_list->redraw();
}
