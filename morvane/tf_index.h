#pragma once
// "Edit Index": the editor of the index files DSCOUNTY.INX, DSQUAD.INX and
// DSAREA.INX, and the making of their defaults.
#include <QWidget>

#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TFIndex : public QWidget {
    Q_OBJECT
public:
    explicit TFIndex(QWidget* parent = nullptr);
    ~TFIndex() override;

    QLabel* FileLabel = nullptr;
    QPlainTextEdit* IndexMemo = nullptr;
    QPushButton* IndexSaveBtn = nullptr;
    QPushButton* IndexRecreateBtn = nullptr;

    // The index file being edited: its path (kept as bytes, a name need not
    // be UTF-8) and the label that shows it.
    void ShowFile(const std::string& path);
    const std::string& GetFile() const { return file_; }

    void CreateIndex(const std::string& kind);
    void EditIndex(const std::string& kind);
    // "OPEN FILE TO SPLIT": a chosen file becomes the current file. False
    // when the user cancels.
    bool OpenSplitFile();
    void IndexSaveBtnClick();
    void IndexRecreateBtnClick();

private:
    std::string file_;
};

extern TFIndex* FIndex;
