// A picker host for the logic tests: panels, positions and pictures as plain data, picture
// loads counted, chosen files made unreadable.
#pragma once

#include "profiles/PickerLogic.h"

#include <QMap>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <array>
#include <functional>

struct FakePickerHost : picker::PickerHost {
    static inline const QString ProgramDir = QStringLiteral("/prog/");

    QSet<QString> unreadable;  // relative paths
    int loads = 0;
    bool column = false;
    std::array<bool, picker::PanelCount> visible{};
    std::array<QPoint, picker::PanelCount> pos{};
    std::array<bool, picker::PanelCount> standAlone{};
    QMap<int, int> buttonTop;        // tops set by a stand-alone layout
    QMap<int, QString> buttonShown;  // n -> "lit", "normal" or "blank"
    QMap<int, QString> categoryShown;
    bool preview = true;
    int previewHides = 0;
    QList<int> selected;
    std::function<void(int)> onSelect;

    explicit FakePickerHost(QPoint panelsAt = {206, 81}) { pos.fill(panelsAt); }

    QVariant loadPicture(const QString& path) override
    {
        ++loads;
        if (unreadable.contains(path.mid(ProgramDir.size())))
            return {};
        return path;
    }
    void showButtonPicture(int n, const QVariant& picture, bool lit) override
    {
        buttonShown[n] = picture.isNull() ? QStringLiteral("blank") : lit ? QStringLiteral("lit") : QStringLiteral("normal");
    }
    void showCategoryPicture(int c, const QVariant& picture, bool lit) override
    {
        categoryShown[c] = picture.isNull() ? QStringLiteral("blank") : lit ? QStringLiteral("lit") : QStringLiteral("normal");
    }
    void setColumnVisible(bool v) override { column = v; }
    void setPanelVisible(int p, bool v) override { visible[p] = v; }
    bool panelVisible(int p) const override { return visible[p]; }
    QPoint panelPos(int p) const override { return pos[p]; }
    void movePanel(int p, QPoint at) override { pos[p] = at; }
    void raisePanel(int) override {}
    void layOutStandAlone(int p, int left, int first, const QList<int>& tops) override
    {
        pos[p].setX(left);
        standAlone[p] = true;
        for (int i = 0; i < tops.size(); ++i)
            buttonTop[first + i] = tops[i];
    }
    void setPreviewVisible(bool v) override
    {
        if (!v)
            ++previewHides;
        preview = v;
    }
    void selectProfile(int n) override
    {
        selected.append(n);
        if (onSelect)
            onSelect(n);
    }

    // "pl_main pl_video1 pl_avi": the column first, then the visible panels in table order.
    QString visibleNames() const
    {
        QStringList names;
        if (column)
            names << QStringLiteral("pl_main");
        for (int p = 0; p < picker::PanelCount; ++p)
            if (visible[p])
                names << QLatin1String(picker::Panels()[p].name);
        return names.join(u' ');
    }
    static QString numbers(const QMap<int, QString>& shown, const QString& what)
    {
        QStringList out;
        for (auto it = shown.begin(); it != shown.end(); ++it)
            if (it.value() == what)
                out << QString::number(it.key());
        return out.join(u' ');
    }
    QString litButtons() const { return numbers(buttonShown, QStringLiteral("lit")); }
    QString litCategories() const { return numbers(categoryShown, QStringLiteral("lit")); }
};
