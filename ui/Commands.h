// The named commands of the main window: skin object clicks, popup menus and keyboard
// shortcuts all resolve through one table carrying each command's guards in order. Also the
// skin's mouse handling and the hint line.
#pragma once

#include "ui/MainContext.h"

#include <QObject>

#include <vector>

class QMenu;
class SkinHost;

class Commands : public QObject, public HintPort {
    Q_OBJECT
public:
    // What a command checks before it acts, in the order its row lists them.
    enum class Guard {
        Converting,     // IsConverting: "Please first stop convert!"
        Playing,        // IsPlaying: "Please first stop play!"
        ChapterMode,    // TitleMode false: "Please change title mode!"
        ListEmpty,      // no rows: nothing happens
        NoSelectedRow,  // no row selected: nothing happens
        OnlyConverting, // acts only while IsConverting
        OnlyPlaying,    // acts only while IsPlaying
    };
    struct Row {
        const char* name;
        std::vector<Guard> guards;
        void (Commands::*action)();
    };
    static const std::vector<Row>& table();

    Commands(MainContext& ctx, SkinHost& skin);
    ~Commands() override;

    // Runs the named command after its guards; false when no command has that name.
    bool run(const QString& name);

    void click(const QString& objectName);
    void mouseDown(const QString& objectName);
    void mouseUp(const QString& objectName);
    void mouseMove(const QString& objectName);
    void SetHint(int index) override;

    // pop_file, pop_dvd or pop_help.
    QMenu* menu(const QString& menuName) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool passes(const std::vector<Guard>& guards);
    void popup(const char* objectName);

    void openPicker();
    void addFiles();
    void addFolder();
    void toggleTitleMode();
    void addIfo();
    void openDvd();
    void convert();
    void remove();
    void clear();
    void stopConversion();
    void browse();
    void openOutputFolder();
    void popHelp();
    void popFile();
    void popDvd();
    void play();
    void stopPlay();
    void pause();
    void settings();
    void cutter();
    void exit();
    void selectAll();
    void unselectAll();
    void website();
    void support();
    void about();

    MainContext& ctx_;
    SkinHost& skin_;
    std::vector<QMenu*> menus_;
};
