#pragma once
// The runtime's common dialog: file open and save, colour and folder, set up
// through the properties the calling code uses.
//
//     CommonDialog dialog(this);
//     dialog.DialogTitle = "Open GIS Layer";
//     dialog.Filter = "Shape Files (*.shp)|*.shp|All Files (*.*)|*.*";
//     dialog.Flags = cdlOFNExplorer | cdlOFNAllowMultiselect | cdlOFNHideReadOnly;
//     if (!dialog.ShowOpen())
//         return; // cancelled
//     for (const QString& path : dialog.FileNames()) ...
//
// Cancel is the result false (and Cancelled() true), never an error, whatever
// CancelError says; a cancelled dialog leaves FileName, FilterIndex and Color
// as they were. Where a procedure's design ends on the cancel error 32755, it
// tests the result instead.
//
// FileName after a multiple selection keeps the runtime's form, the folder
// and the names separated by NUL characters ("/data\0a.shp\0b.shp"), so code
// that splits it reads as before; FileNames() gives the full paths in every
// case. The folder has no trailing "/" (except the root).
#include <QString>
#include <QStringList>

class QWidget;

// File dialog flags (the runtime's cdlOFN values).
inline constexpr int cdlOFNReadOnly = 0x1;
inline constexpr int cdlOFNOverwritePrompt = 0x2; // Save asks before replacing a file
inline constexpr int cdlOFNHideReadOnly = 0x4;
inline constexpr int cdlOFNNoChangeDir = 0x8;
inline constexpr int cdlOFNAllowMultiselect = 0x200;
inline constexpr int cdlOFNPathMustExist = 0x800;
inline constexpr int cdlOFNFileMustExist = 0x1000; // Open takes existing files only
inline constexpr int cdlOFNNoLongNames = 0x40000;
inline constexpr int cdlOFNExplorer = 0x80000;
// Colour dialog flags (the runtime's cdlCC values).
inline constexpr int cdlCCRGBInit = 0x1; // start on Color; otherwise on black
inline constexpr int cdlCCFullOpen = 0x2;
inline constexpr int cdlCCPreventFullOpen = 0x4;

enum class CommonDialogKind { Open, Save, Color, Folder };

// What a dialog is asked to show, as the backend sees it.
struct CommonDialogRequest
{
    CommonDialogKind kind = CommonDialogKind::Open;
    QString title;
    QString filter;
    int filterIndex = 1; // 1-based
    QString fileName; // the file name the dialog starts with
    QString initDir;
    int flags = 0;
    qint32 color = 0; // 0x00BBGGRR
};

struct CommonDialogAnswer
{
    bool accepted = false;
    QStringList paths; // full paths: one or more for Open, one for Save and Folder
    int filterIndex = 0; // 1-based filter the user ended on; 0 leaves FilterIndex
    qint32 color = 0;
};

class CommonDialogBackend
{
public:
    virtual ~CommonDialogBackend() = default;
    virtual CommonDialogAnswer show(const CommonDialogRequest& request, QWidget* owner) = 0;
};

class CommonDialog
{
public:
    explicit CommonDialog(QWidget* owner = nullptr);

    QString DialogTitle;
    QString Filter;
    int FilterIndex = 0; // 0 stands for the first filter
    QString FileName;
    QString FileTitle; // the chosen file's name without its folder; empty after several files
    QString InitDir;
    QString DefaultExt; // appended by Save to a name typed without extension
    int Flags = 0;
    qint32 Color = 0; // 0x00BBGGRR
    bool CancelError = false; // kept for the calling code; see above

    bool ShowOpen();
    bool ShowSave();
    bool ShowColor();
    // The folder picker: DialogTitle is its prompt, InitDir where it starts;
    // the chosen folder lands in FileName.
    bool ShowFolder();

    bool Cancelled() const { return m_cancelled; }
    // Full paths of the files in FileName, one or several; empty when it is empty.
    QStringList FileNames() const;

private:
    CommonDialogRequest request(CommonDialogKind kind) const;
    void takeFiles(const QStringList& paths);
    bool finish(bool accepted);

    QWidget* m_owner;
    bool m_cancelled = false;
};

// "name" -> "name.ext" when the file name part has no extension.
QString withDefaultExtension(const QString& path, const QString& defaultExt);

// Installs the backend every dialog goes through; nullptr restores Qt's dialogs.
// The caller keeps ownership.
void setCommonDialogBackend(CommonDialogBackend* backend);
