#include "events/TfrmEventDetails.h"

#include "core/FileFilter.h"

#include "events/EventList.h"
#include "events/NextRun.h"
#include "events/StoredTextValidator.h"
#include "lang/ApplyLanguage.h"
#include "lang/Translate.h"
#include "widgets/Icons.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMimeDatabase>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace events {

using lang::ownTexts;

namespace {

constexpr int kHelpContext = 410;
constexpr int kNormalWindow = 0;
constexpr int kMinimized = 1;
constexpr int kMaximized = 2;

// The file chooser's filter list as the language files hold it, translated as a whole: the
// sounds and videos that play here, and the programs and launchers that run here.
QString filterPairs()
{
    // clang-format off
    return Translate(QStringLiteral("All Files (*.*)|*.*|Wave files (*.wav)|*.wav|Midi files (*.mid)|*.mid|Videos (*.avi;*.mp4;*.webm;*.mkv)|*.avi;*.mp4;*.webm;*.mkv|Media files (*.wav;*.mid;*.avi;*.ogg;*.oga;*.opus;*.mp3;*.flac;*.mp4;*.webm;*.mkv)|*.wav;*.mid;*.avi;*.ogg;*.oga;*.opus;*.mp3;*.flac;*.mp4;*.webm;*.mkv|Programs and launchers (*.desktop;*.sh;*.AppImage)|*.desktop;*.sh;*.AppImage"));
    // clang-format on
}

constexpr int kAllFilesFilter = 0;
constexpr int kMediaFilter = 4;

// The local files of a drag from the file manager, in its order.
QStringList localFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            files << url.toLocalFile();
    return files;
}

QString withSeparator(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

// A file the media player takes: the three kinds it was made for, and whatever else is sound or
// video.
bool isMedia(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toUpper();
    if (extension == QLatin1String("AVI") || extension == QLatin1String("MID") ||
        extension == QLatin1String("WAV"))
        return true;
    const QString kind = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name();
    return kind.startsWith(QLatin1String("audio/")) || kind.startsWith(QLatin1String("video/"));
}

} // namespace

TfrmEventDetails::TfrmEventDetails(const platform::Platform& services, QWidget* parent)
    : QDialog(parent), m_platform(services)
{
    setWindowTitle(QStringLiteral("Event Details"));
    setProperty("helpContext", kHelpContext);
    setAcceptDrops(true); // the whole dialog takes files from the file manager

    lblInstruction = ownTexts(new QLabel(this));
    lblInstruction->setWordWrap(true);
    QFont bold = lblInstruction->font();
    bold.setBold(true);
    lblInstruction->setFont(bold);

    grpType = new QGroupBox(QStringLiteral("Type"), this);
    auto* types = new QVBoxLayout(grpType);
    types->setSpacing(2);
    radType = new QButtonGroup(this);
    // Named as the rows name them, in the language of the run.
    const QStringList typeNames = actionTypeNames();
    for (int t = atMessageBox; t <= atAgent; ++t) {
        auto* option = ownTexts(new QRadioButton(typeNames[t], grpType));
        radType->addButton(option, t);
        types->addWidget(option);
    }
    types->addStretch(1);

    auto* fields = new QWidget(this);
    lblFolder = ownTexts(new QLabel(fields));
    m_folderPlace = new QStackedWidget(fields);
    txtFolder = new QLineEdit(m_folderPlace);
    cboCharacter = new QComboBox(m_folderPlace);
    lang::ownTexts(cboCharacter); // character names
    m_folderPlace->addWidget(txtFolder);
    m_folderPlace->addWidget(cboCharacter);

    m_filePlace = new QStackedWidget(fields);
    lblMessage = new QLabel(QStringLiteral("Message:"), m_filePlace);
    btnFileOpen = ownTexts(new QToolButton(m_filePlace));
    btnFileOpen->setText(Translate(QStringLiteral("File")));
    btnFileOpen->setIcon(widgets::eventPicture(widgets::EventPicture::OpenFile));
    btnFileOpen->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_filePlace->addWidget(lblMessage);
    m_filePlace->addWidget(btnFileOpen);
    txtFile = new QLineEdit(fields);
    txtFolder->setValidator(new StoredTextValidator(txtFolder));
    txtFile->setValidator(new StoredTextValidator(txtFile));

    lblRun = new QLabel(QStringLiteral("Run:"), fields);
    m_runPlace = new QStackedWidget(fields);
    cboRunWindow = new QComboBox(m_runPlace);
    cboRunWindow->addItems(
        {QStringLiteral("Normal Window"), QStringLiteral("Minimized"), QStringLiteral("Maximized")});

    btnAgent = new QToolButton(m_runPlace);
    btnAgent->setText(QStringLiteral("Agent Support"));
    btnAgent->setToolTip(QStringLiteral("Agent Support"));
    btnAgent->setIcon(widgets::eventPicture(widgets::EventPicture::Agent));
    btnAgent->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_runPlace->addWidget(cboRunWindow);
    m_runPlace->addWidget(btnAgent);

    img = new QLabel(fields);
    img->setFixedSize(32, 32);
    img->setAlignment(Qt::AlignCenter);

    auto* grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->addWidget(lblFolder, 0, 0);
    grid->addWidget(m_folderPlace, 0, 1);
    grid->addWidget(img, 0, 2, 2, 1, Qt::AlignCenter);
    grid->addWidget(m_filePlace, 1, 0);
    grid->addWidget(txtFile, 1, 1);
    grid->addWidget(lblRun, 2, 0);
    grid->addWidget(m_runPlace, 2, 1, Qt::AlignLeft);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 260);

    btnTest = new QPushButton(QStringLiteral("Test"), this);
    btnTest->setEnabled(false);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setEnabled(false);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnTest);
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto* right = new QVBoxLayout;
    right->addWidget(lblInstruction);
    right->addSpacing(4);
    right->addWidget(fields, 1);
    auto* body = new QHBoxLayout;
    body->addWidget(grpType);
    body->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a dialog of one size for every type

    // Hidden controls keep their room, so the fields stay in place from type to type.
    for (QWidget* w : std::initializer_list<QWidget*>{lblFolder, m_folderPlace, m_filePlace, txtFile, lblRun,
                                                      m_runPlace, img}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    // Enter in the fields types nothing and does not close the dialog.
    txtFolder->installEventFilter(this);
    txtFile->installEventFilter(this);
    img->installEventFilter(this);
    txtFolder->setAcceptDrops(false);
    txtFile->setAcceptDrops(false);

    connect(radType, &QButtonGroup::idClicked, this, &TfrmEventDetails::radTypeClick);
    connect(txtFolder, &QLineEdit::textChanged, this, &TfrmEventDetails::txtFileChange);
    connect(txtFile, &QLineEdit::textChanged, this, &TfrmEventDetails::txtFileChange);
    connect(btnFileOpen, &QToolButton::clicked, this, &TfrmEventDetails::btnFileOpenClick);
    connect(btnTest, &QPushButton::clicked, this, &TfrmEventDetails::btnTestClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmEventDetails::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnAgent, &QToolButton::clicked, this, &TfrmEventDetails::btnAgentClick);

    lang::applyLanguage(this);
    // Where the desktop decides how a program's first window shows, there is no choice to offer.
    if (!m_platform.shell.honoursShowCommand()) {
        cboRunWindow->setEnabled(false);
        cboRunWindow->setToolTip(
            Translate(QStringLiteral("This desktop shows a program's first window as the program asks")));
    }
    // The label before the first field is as wide as its widest text, whatever the type.
    int labelWidth = 0;
    for (const char16_t* text : {u"Title:", u"Folder:", u"Agent:"})
        labelWidth = std::max(
            labelWidth, lblFolder->fontMetrics().horizontalAdvance(Translate(QString::fromUtf16(text))));
    lblFolder->setMinimumWidth(labelWidth);
    setType(atMessageBox);
    radTypeClick(atMessageBox);
}

int TfrmEventDetails::type() const
{
    return radType->checkedId();
}

void TfrmEventDetails::setType(int t)
{
    if (QAbstractButton* option = radType->button(t)) {
        option->setChecked(true);
        return;
    }
    // No type at all: the group lets go of its choice only while it is not exclusive.
    radType->setExclusive(false);
    if (QAbstractButton* checked = radType->checkedButton())
        checked->setChecked(false);
    radType->setExclusive(true);
}

bool TfrmEventDetails::editEvent(EventList& list, int row)
{
    if (row < 0 || row >= list.count())
        return false;
    const EventRecord& r = list.row(row);
    const int t = actionTypeOf(r);
    setType(t < 0 ? int(atMessageBox) : t);
    txtFolder->setText(r.text(FolderText));
    txtFile->setText(r.text(FileText));
    if (type() == atRunProgram) {
        const QString& window = r.text(RunWindow);
        if (window.isEmpty() || window == QLatin1String("0"))
            cboRunWindow->setCurrentIndex(kNormalWindow);
        else if (window == QLatin1String("2"))
            cboRunWindow->setCurrentIndex(kMinimized);
        else if (window == QLatin1String("3"))
            cboRunWindow->setCurrentIndex(kMaximized);
    }
    m_list = &list;
    m_row = row;
    FormShow();
    const bool accepted = exec() == QDialog::Accepted;
    m_list = nullptr;
    m_row = -1;
    return accepted;
}

void TfrmEventDetails::FormShow()
{
    radTypeClick(type());
    if (!agentAvailable())
        return;
    const QSignalBlocker quiet(cboCharacter);
    cboCharacter->clear();
    cboCharacter->addItems(m_characters->FillCharacterList());
    cboCharacter->setCurrentIndex(-1); // chosen when the announcement is
    if (type() == atAgent) {
        cboCharacter->setCurrentIndex(cboCharacter->count() > 0 ? 0 : -1);
        const int found = cboCharacter->findText(txtFolder->text(), Qt::MatchFixedString);
        if (found >= 0) {
            cboCharacter->setCurrentIndex(found);
            txtFolder->clear();
        }
    }
    // Nothing to keep until the user changes something.
    btnOK->setEnabled(false);
}

void TfrmEventDetails::radTypeClick(int t)
{
    const bool message = t == atMessageBox;
    const bool program = t == atRunProgram;
    const bool media = t == atPlayMedia;
    const bool agent = t == atAgent;
    const bool withFile = program || media;

    lblFolder->setVisible(message || withFile || agent);
    m_folderPlace->setVisible(message || withFile || agent);
    m_folderPlace->setCurrentWidget(agent ? static_cast<QWidget*>(cboCharacter) : txtFolder);
    m_filePlace->setVisible(message || withFile || agent);
    m_filePlace->setCurrentWidget(withFile ? static_cast<QWidget*>(btnFileOpen) : lblMessage);
    txtFile->setVisible(message || withFile || agent);
    lblRun->setVisible(program);
    m_runPlace->setVisible(program || agent);
    m_runPlace->setCurrentWidget(agent ? static_cast<QWidget*>(btnAgent) : cboRunWindow);
    img->clear();

    if (message) {
        lblFolder->setText(Translate(QStringLiteral("Title:")));
        lblInstruction->setText(Translate(QStringLiteral("Type in a message to display")));
    } else if (withFile) {
        lblFolder->setText(Translate(QStringLiteral("Folder:")));
        lblInstruction->setText(Translate(QStringLiteral("Drag and drop a file from the file manager")));
        btnFileOpen->setToolTip(program
                                    ? Translate(QStringLiteral("Select a Program to Run or a File to Open"))
                                    : Translate(QStringLiteral("Select a Media File")));
        ShowFileIcon(txtFolder->text() + txtFile->text());
    } else if (t == atAdjustTime) {
        lblInstruction->setText(Translate(QStringLiteral("Set the clock from the Internet time server")));
        img->setPixmap(widgets::eventPicture(widgets::EventPicture::AdjustTime).pixmap(32, 32));
    } else if (agent) {
        lblFolder->setText(Translate(QStringLiteral("Agent:")));
        lblInstruction->setText(agentAvailable()
                                    ? Translate(QStringLiteral("Announce with an Agent Character"))
                                    : Translate(QStringLiteral("The speaking character is not installed")));
        img->setPixmap(widgets::eventPicture(widgets::EventPicture::Agent).pixmap(32, 32));
        if (agentAvailable() && cboCharacter->count() > 0 && cboCharacter->currentIndex() < 0) {
            const int current = cboCharacter->findText(m_characters->AgentCharacter(), Qt::MatchFixedString);
            cboCharacter->setCurrentIndex(current >= 0 ? current : 0);
        }
    } else {
        lblInstruction->clear();
    }
    txtFileChange();
}

void TfrmEventDetails::txtFileChange()
{
    bool ready = false;
    switch (type()) {
    case atMessageBox:
    case atRunProgram:
    case atPlayMedia:
        ready = !txtFile->text().isEmpty();
        break;
    case atAdjustTime:
        ready = true; // the type needs nothing more
        break;
    case atAgent:
        ready = !txtFile->text().isEmpty() && cboCharacter->currentIndex() >= 0 && agentAvailable();
        break;
    default:
        break;
    }
    btnOK->setEnabled(ready);
    btnTest->setEnabled(ready);
}

void TfrmEventDetails::SetFileFromPath(const QString& path)
{
    const QFileInfo info(path);
    const QString folder = withSeparator(info.absolutePath());
    const QString sounds = withSeparator(QDir::cleanPath(m_platform.folders.SoundsFolder));
    txtFolder->setText(folder == sounds ? QString() : folder);
    txtFile->setText(info.fileName());
    cboRunWindow->setCurrentIndex(kNormalWindow);
    const int t = isMedia(path) ? atPlayMedia : atRunProgram;
    setType(t);
    radTypeClick(t);
    ShowFileIcon(path);
}

void TfrmEventDetails::ShowFileIcon(const QString& path)
{
    // A name without a folder is looked for where the action will look: media among the sounds,
    // programs in the program's folder and then along the search path.
    QString full = path;
    if (!path.isEmpty() && !path.contains(u'/')) {
        if (type() == atRunProgram) {
            full = m_platform.folders.ProgramFolder + path;
            if (!QFileInfo::exists(full))
                full = QStandardPaths::findExecutable(path);
        } else {
            full = m_platform.folders.SoundsFolder + path;
        }
    }
    const QIcon icon = !full.isEmpty() && QFileInfo(full).isFile() ? m_platform.shell.associatedIcon(full)
                                                                   : QIcon();
    if (icon.isNull())
        img->clear();
    else
        img->setPixmap(icon.pixmap(32, 32));
}

void TfrmEventDetails::dftDrop(const QStringList& paths)
{
    if (!paths.isEmpty())
        SetFileFromPath(paths.front()); // one event has one file: the first of several
}

QStringList TfrmEventDetails::fileFilters()
{
    return core::fileDialogFilters(filterPairs());
}

void TfrmEventDetails::btnFileOpenClick()
{
    const QStringList filters = fileFilters();
    const int chosenFilter = type() == atPlayMedia ? kMediaFilter : kAllFilesFilter;
    if (m_chooserFolder.isEmpty()) {
        const QString file = txtFolder->text() + txtFile->text();
        m_chooserFolder = !txtFolder->text().isEmpty() && QFileInfo(file).isFile()
                              ? txtFolder->text()
                              : m_platform.folders.ProgramFolder;
    }
    const std::optional<QString> chosen = m_platform.dialogs.openFileFiltered(
        this, btnFileOpen->toolTip(), m_chooserFolder, filters.join(QStringLiteral(";;")),
        filters.value(chosenFilter));
    if (!chosen)
        return;
    SetFileFromPath(*chosen);
    m_chooserFolder = withSeparator(QFileInfo(*chosen).absolutePath());
}

EventRecord TfrmEventDetails::fieldsAsRow() const
{
    EventRecord row = m_list && m_row >= 0 && m_row < m_list->count() ? m_list->row(m_row) : EventRecord();
    const int t = type();
    row.text(TypeName) = t >= 0 ? actionTypeNames().value(t) : QString();
    if (t == atAdjustTime) {
        row.text(FolderText).clear();
        row.text(FileText).clear();
    } else {
        row.text(FolderText) = t == atAgent ? cboCharacter->currentText() : txtFolder->text();
        row.text(FileText) = txtFile->text();
    }
    row.text(RunWindow).clear();
    if (t == atRunProgram && cboRunWindow->currentIndex() == kMinimized)
        row.text(RunWindow) = QStringLiteral("2");
    else if (t == atRunProgram && cboRunWindow->currentIndex() == kMaximized)
        row.text(RunWindow) = QStringLiteral("3");
    return row;
}

void TfrmEventDetails::btnTestClick()
{
    const int t = type();
    if (t < 0) {
        m_platform.messages.warning(Translate(QStringLiteral("A Type needs to be chosen!")));
        return;
    }
    if (t == atAgent && !agentAvailable()) {
        m_platform.messages.information(QStringLiteral("Veskel"),
                                        Translate(QStringLiteral("The speaking character is not installed")));
        return;
    }
    const ActionOutcome outcome = m_test ? m_test(fieldsAsRow()) : ActionOutcome::Done;
    if (t != atAdjustTime)
        return;
    if (outcome == ActionOutcome::Done)
        m_platform.messages.information(QStringLiteral("Veskel"),
                                        Translate(QStringLiteral("The Adjust Time Event was triggered.")));
    else if (outcome == ActionOutcome::NotConnected)
        m_platform.messages.information(
            QStringLiteral("Veskel"),
            Translate(QStringLiteral("There is no Internet connection")) + QStringLiteral("\r\n") +
                Translate(QStringLiteral("so there would have been no Adjust Time Event.")));
}

void TfrmEventDetails::btnOKClick()
{
    if (m_list && m_row >= 0 && m_row < m_list->count()) {
        m_list->setRow(m_row, fieldsAsRow());
        m_list->setSaveCommandEnabled(true);
        if (hasPassed(m_list->row(m_row), m_platform.clock.now(), m_platform.locale))
            m_platform.messages.warning(Translate(QStringLiteral("This event's time has passed")));
    }
    accept();
}

void TfrmEventDetails::btnAgentClick()
{
    // Only a page in the program's folder: a language file names the page, not where it is.
    const QString page = m_platform.folders.ProgramFolder +
                         QFileInfo(Translate(QStringLiteral("AgentSupport.htm"))).fileName();
    if (!QFileInfo::exists(page) || !m_platform.shell.openUrl(QUrl::fromLocalFile(page)))
        m_platform.messages.error(Translate(QStringLiteral("Couldn't run the file:")) + u'\n' + page);
}

void TfrmEventDetails::dragEnterEvent(QDragEnterEvent* event)
{
    if (localFiles(event->mimeData()).isEmpty())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TfrmEventDetails::dragMoveEvent(QDragMoveEvent* event)
{
    if (localFiles(event->mimeData()).isEmpty())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TfrmEventDetails::dropEvent(QDropEvent* event)
{
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    dftDrop(files);
}

bool TfrmEventDetails::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == img && event->type() == QEvent::MouseButtonDblClick) {
        if (btnTest->isEnabled())
            btnTestClick();
        return true;
    }
    if ((watched == txtFolder || watched == txtFile) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace events
