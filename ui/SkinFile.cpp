// Reads "skn.skn". A small JSON reader of our own keeps each value's line, so a fault found
// after parsing (an unknown type, a missing picture) is still reported with its line.
#include "ui/SkinFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace skin {
namespace {

struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    int line = 0;
    bool boolean = false;
    double number = 0;
    QString string;
    QList<Json> items;                    // Array
    QList<std::pair<QString, Json>> members; // Object, in file order

    const Json* get(const QString& key) const
    {
        for (const auto& m : members)
            if (m.first == key)
                return &m.second;
        return nullptr;
    }
};

struct Fault {
    int line;
    QString message;
};

class Reader {
public:
    explicit Reader(QString text) : text_(std::move(text)) {}

    Json document()
    {
        Json v = value();
        skipSpace();
        if (pos_ < text_.size())
            fail(QStringLiteral("unexpected text after the end of the skin"));
        return v;
    }

private:
    [[noreturn]] void fail(const QString& message) { throw Fault{line_, message}; }

    void skipSpace()
    {
        while (pos_ < text_.size()) {
            const QChar c = text_.at(pos_);
            if (c == u'\n')
                ++line_;
            else if (c != u' ' && c != u'\t' && c != u'\r')
                return;
            ++pos_;
        }
    }

    QChar peek()
    {
        skipSpace();
        if (pos_ >= text_.size())
            fail(QStringLiteral("the file ends too early"));
        return text_.at(pos_);
    }

    void expect(QChar c, const char* what)
    {
        if (peek() != c)
            fail(QStringLiteral("expected %1").arg(QLatin1String(what)));
        ++pos_;
    }

    Json value()
    {
        const QChar c = peek();
        Json v;
        v.line = line_;
        if (c == u'{') {
            v.kind = Json::Object;
            ++pos_;
            if (peek() == u'}') {
                ++pos_;
                return v;
            }
            for (;;) {
                if (peek() != u'"')
                    fail(QStringLiteral("expected a quoted key"));
                const int keyLine = line_;
                QString key = string();
                for (const auto& m : v.members)
                    if (m.first == key) {
                        line_ = keyLine;
                        fail(QStringLiteral("key \"%1\" given twice").arg(key));
                    }
                expect(u':', "\":\" after a key");
                v.members.append({key, value()});
                if (peek() == u',') {
                    ++pos_;
                    continue;
                }
                expect(u'}', "\",\" or \"}\"");
                return v;
            }
        }
        if (c == u'[') {
            v.kind = Json::Array;
            ++pos_;
            if (peek() == u']') {
                ++pos_;
                return v;
            }
            for (;;) {
                v.items.append(value());
                if (peek() == u',') {
                    ++pos_;
                    continue;
                }
                expect(u']', "\",\" or \"]\"");
                return v;
            }
        }
        if (c == u'"') {
            v.kind = Json::String;
            v.string = string();
            return v;
        }
        if (c == u'-' || c.isDigit()) {
            const qsizetype start = pos_;
            while (pos_ < text_.size() && (text_.at(pos_).isDigit() || QStringLiteral("+-.eE").contains(text_.at(pos_))))
                ++pos_;
            bool ok = false;
            v.kind = Json::Number;
            v.number = text_.mid(start, pos_ - start).toDouble(&ok);
            if (!ok)
                fail(QStringLiteral("\"%1\" is not a number").arg(text_.mid(start, pos_ - start)));
            return v;
        }
        for (const char* word : {"true", "false", "null"}) {
            const QLatin1String w(word);
            if (text_.mid(pos_, w.size()) == w) {
                pos_ += w.size();
                v.kind = w == QLatin1String("null") ? Json::Null : Json::Bool;
                v.boolean = w == QLatin1String("true");
                return v;
            }
        }
        fail(QStringLiteral("unexpected character '%1'").arg(c));
    }

    QString string()
    {
        ++pos_;  // the opening quote
        QString s;
        while (pos_ < text_.size()) {
            const QChar c = text_.at(pos_++);
            if (c == u'"')
                return s;
            if (c == u'\n')
                fail(QStringLiteral("a text runs past the end of its line"));
            if (c != u'\\') {
                s += c;
                continue;
            }
            if (pos_ >= text_.size())
                break;
            const QChar e = text_.at(pos_++);
            switch (e.unicode()) {
            case '"': s += u'"'; break;
            case '\\': s += u'\\'; break;
            case '/': s += u'/'; break;
            case 'n': s += u'\n'; break;
            case 't': s += u'\t'; break;
            case 'r': s += u'\r'; break;
            case 'b': s += u'\b'; break;
            case 'f': s += u'\f'; break;
            case 'u': {
                bool ok = false;
                const uint code = text_.mid(pos_, 4).toUInt(&ok, 16);
                if (!ok || pos_ + 4 > text_.size())
                    fail(QStringLiteral("bad \\u escape"));
                pos_ += 4;
                s += QChar(char16_t(code));
                break;
            }
            default: fail(QStringLiteral("unknown escape \\%1").arg(e));
            }
        }
        fail(QStringLiteral("a text is not closed"));
    }

    QString text_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

// Turns the parsed document into a form, checking every value against the format.
class FormBuilder {
public:
    explicit FormBuilder(QDir dir) : dir_(std::move(dir)) {}

    FormDef form(const Json& root, const QString& formName)
    {
        requireKind(root, Json::Object, "the skin");
        allowKeys(root, {"skin", "forms"});
        const Json& forms = member(root, "forms", Json::Array);
        for (const Json& f : forms.items) {
            requireKind(f, Json::Object, "a form");
            if (member(f, "name", Json::String).string == formName)
                return buildForm(f);
        }
        throw Fault{forms.line, QStringLiteral("no form named \"%1\"").arg(formName)};
    }

private:
    [[noreturn]] static void fault(const Json& at, const QString& message) { throw Fault{at.line, message}; }

    static const char* kindName(Json::Kind k)
    {
        switch (k) {
        case Json::Null: return "null";
        case Json::Bool: return "true or false";
        case Json::Number: return "a number";
        case Json::String: return "a quoted text";
        case Json::Array: return "a list [...]";
        case Json::Object: return "an object {...}";
        }
        return "";
    }

    static void requireKind(const Json& v, Json::Kind kind, const char* what)
    {
        if (v.kind != kind)
            fault(v, QStringLiteral("%1 must be %2").arg(QLatin1String(what), QLatin1String(kindName(kind))));
    }

    static const Json& member(const Json& obj, const char* key, Json::Kind kind)
    {
        const Json* v = obj.get(QLatin1String(key));
        if (!v)
            fault(obj, QStringLiteral("\"%1\" is missing").arg(QLatin1String(key)));
        requireKind(*v, kind, key);
        return *v;
    }

    static const Json* optional(const Json& obj, const char* key, Json::Kind kind)
    {
        const Json* v = obj.get(QLatin1String(key));
        if (v)
            requireKind(*v, kind, key);
        return v;
    }

    static void allowKeys(const Json& obj, std::initializer_list<const char*> keys)
    {
        for (const auto& m : obj.members) {
            bool known = false;
            for (const char* k : keys)
                known = known || m.first == QLatin1String(k);
            if (!known)
                fault(m.second, QStringLiteral("unknown key \"%1\"").arg(m.first));
        }
    }

    static int integer(const Json& v, const char* what)
    {
        requireKind(v, Json::Number, what);
        if (v.number != static_cast<int>(v.number))
            fault(v, QStringLiteral("%1 must be a whole number").arg(QLatin1String(what)));
        return static_cast<int>(v.number);
    }

    QImage picture(const Json& obj, const char* key, QSize exactSize = {}) const
    {
        const Json& v = member(obj, key, Json::String);
        QImage image(dir_.filePath(v.string));
        if (image.isNull())
            fault(v, QStringLiteral("cannot read the picture \"%1\"").arg(v.string));
        if (exactSize.isValid() && image.size() != exactSize)
            fault(v, QStringLiteral("the picture \"%1\" is %2x%3, its place is %4x%5")
                         .arg(v.string).arg(image.width()).arg(image.height())
                         .arg(exactSize.width()).arg(exactSize.height()));
        return image;
    }

    FormDef buildForm(const Json& f)
    {
        allowKeys(f, {"name", "width", "height", "layouts"});
        FormDef form;
        form.name = f.get(QStringLiteral("name"))->string;
        form.size = {integer(member(f, "width", Json::Number), "width"),
                     integer(member(f, "height", Json::Number), "height")};
        if (form.size.width() <= 0 || form.size.height() <= 0)
            fault(f, QStringLiteral("the form's width and height must be positive"));
        const Json& layouts = member(f, "layouts", Json::Array);
        if (layouts.items.isEmpty())
            fault(layouts, QStringLiteral("the form has no layout"));
        for (const Json& l : layouts.items)
            form.layouts.append(buildLayout(l, form));
        return form;
    }

    LayoutDef buildLayout(const Json& l, const FormDef& form)
    {
        requireKind(l, Json::Object, "a layout");
        allowKeys(l, {"name", "background", "objects"});
        LayoutDef layout;
        layout.name = member(l, "name", Json::String).string;
        for (const LayoutDef& other : form.layouts)
            if (other.name == layout.name)
                fault(l, QStringLiteral("layout \"%1\" given twice").arg(layout.name));
        layout.background = picture(l, "background", form.size);
        for (const Json& o : member(l, "objects", Json::Array).items) {
            ObjectDef def = buildObject(o, form.size);
            for (const ObjectDef& other : layout.objects)
                if (other.name == def.name)
                    fault(o, QStringLiteral("object \"%1\" given twice in layout \"%2\"").arg(def.name, layout.name));
            layout.objects.append(std::move(def));
        }
        return layout;
    }

    ObjectDef buildObject(const Json& o, QSize formSize)
    {
        requireKind(o, Json::Object, "an object");
        ObjectDef s;
        s.line = o.line;
        s.name = member(o, "name", Json::String).string;
        if (s.name.isEmpty())
            fault(o, QStringLiteral("an object needs a name"));
        const Json& rect = member(o, "rect", Json::Array);
        if (rect.items.size() != 4)
            fault(rect, QStringLiteral("\"rect\" must be [left, top, width, height]"));
        s.rect = QRect(integer(rect.items[0], "rect"), integer(rect.items[1], "rect"),
                       integer(rect.items[2], "rect"), integer(rect.items[3], "rect"));
        if (s.rect.isEmpty() || !QRect(QPoint(0, 0), formSize).contains(s.rect))
            fault(rect, QStringLiteral("object \"%1\" does not lie inside the form").arg(s.name));

        if (const Json* action = optional(o, "action", Json::String)) {
            const QString a = action->string;
            if (a == QLatin1String("drag"))
                s.action = WindowAction::Drag;
            else if (a == QLatin1String("minimize"))
                s.action = WindowAction::Minimize;
            else if (a == QLatin1String("close"))
                s.action = WindowAction::Close;
            else
                fault(*action, QStringLiteral("unknown action \"%1\"").arg(a));
        }

        const Json& type = member(o, "type", Json::String);
        const QString t = type.string;
        if (t == QLatin1String("button")) {
            s.type = ObjectType::Button;
            allowKeys(o, {"name", "type", "rect", "action", "normal", "hover", "pressed", "disabled"});
            s.pictures[Normal] = picture(o, "normal", s.rect.size());
            // A missing state shows the normal picture.
            const char* keys[] = {"normal", "hover", "pressed", "disabled"};
            for (int st : {Hover, Pressed, Disabled})
                s.pictures[st] = o.get(QLatin1String(keys[st])) ? picture(o, keys[st], s.rect.size()) : s.pictures[Normal];
        } else if (t == QLatin1String("text")) {
            s.type = ObjectType::Text;
            allowKeys(o, {"name", "type", "rect", "action", "text", "font", "size", "bold", "color", "align"});
            if (const Json* v = optional(o, "text", Json::String))
                s.text = v->string;
            if (const Json* v = optional(o, "font", Json::String))
                s.fontFamily = v->string;
            if (const Json* v = optional(o, "size", Json::Number)) {
                s.fontSize = v->number;
                if (s.fontSize < 4 || s.fontSize > 72)
                    fault(*v, QStringLiteral("font size %1 is out of range (4 to 72)").arg(s.fontSize));
            }
            if (const Json* v = optional(o, "bold", Json::Bool))
                s.bold = v->boolean;
            if (const Json* v = optional(o, "color", Json::String)) {
                s.color = QColor::fromString(v->string);
                if (!s.color.isValid())
                    fault(*v, QStringLiteral("\"%1\" is not a colour").arg(v->string));
            }
            if (const Json* v = optional(o, "align", Json::String)) {
                if (v->string == QLatin1String("left"))
                    s.align = Qt::AlignLeft | Qt::AlignVCenter;
                else if (v->string == QLatin1String("center"))
                    s.align = Qt::AlignHCenter | Qt::AlignVCenter;
                else if (v->string == QLatin1String("right"))
                    s.align = Qt::AlignRight | Qt::AlignVCenter;
                else
                    fault(*v, QStringLiteral("\"align\" must be \"left\", \"center\" or \"right\""));
            }
        } else if (t == QLatin1String("slider")) {
            s.type = ObjectType::Slider;
            allowKeys(o, {"name", "type", "rect", "action", "track", "thumb", "thumb_hover"});
            s.track = picture(o, "track", s.rect.size());
            s.thumb = picture(o, "thumb");
            if (s.thumb.width() >= s.rect.width() || s.thumb.height() > s.rect.height())
                fault(*o.get(QStringLiteral("thumb")), QStringLiteral("the thumb must be narrower than the slider and no taller"));
            s.thumbHover = o.get(QStringLiteral("thumb_hover")) ? picture(o, "thumb_hover", s.thumb.size()) : s.thumb;
        } else if (t == QLatin1String("area")) {
            s.type = ObjectType::Area;
            allowKeys(o, {"name", "type", "rect", "action"});
        } else {
            fault(type, QStringLiteral("unknown object type \"%1\" (button, text, slider or area)").arg(t));
        }
        return s;
    }

    QDir dir_;
};

} // namespace

std::optional<FormDef> readSkinForm(const QString& path, const QString& formName, QString* error)
{
    auto report = [&](const QString& message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    QFile file(path);
    if (!file.exists())
        return report(QStringLiteral("Cannot load the skin \"%1\": the file does not exist.").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        return report(QStringLiteral("Cannot load the skin \"%1\": %2.").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    try {
        const Json root = Reader(QString::fromUtf8(bytes)).document();
        return FormBuilder(QFileInfo(path).absoluteDir()).form(root, formName);
    } catch (const Fault& f) {
        return report(QStringLiteral("Cannot load the skin \"%1\", line %2: %3.").arg(path).arg(f.line).arg(f.message));
    }
}

} // namespace skin
