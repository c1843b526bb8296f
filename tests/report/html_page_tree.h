#pragma once

#include <QMap>
#include <QString>
#include <QXmlStreamReader>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A report page read back as a tree of elements with QXmlStreamReader: the
// page is written as well-formed markup, so a page an XML parser refuses is
// a fault in itself.
struct HTML_ELEMENT
{
    QString name;
    QMap<QString, QString> attributes;
    std::vector<std::unique_ptr<HTML_ELEMENT>> children;
    // The text of the element and everything in it, in order.
    QString text;

    QString Attribute(const char* key) const { return attributes.value(QLatin1String(key)); }
    bool HasClass(const char* cssClass) const
    {
        return Attribute("class").split(QLatin1Char(' ')).contains(QLatin1String(cssClass));
    }
    // Every element below this one, in document order, that passes test.
    std::vector<const HTML_ELEMENT*> FindAll(
        const std::function<bool(const HTML_ELEMENT&)>& test) const
    {
        std::vector<const HTML_ELEMENT*> found;
        Collect(test, found);
        return found;
    }
    std::vector<const HTML_ELEMENT*> Named(const char* elementName) const
    {
        return FindAll([&](const HTML_ELEMENT& e) { return e.name == QLatin1String(elementName); });
    }
    std::vector<const HTML_ELEMENT*> WithClass(const char* elementName, const char* cssClass) const
    {
        return FindAll([&](const HTML_ELEMENT& e) {
            return e.name == QLatin1String(elementName) && e.HasClass(cssClass);
        });
    }

private:
    void Collect(const std::function<bool(const HTML_ELEMENT&)>& test,
                 std::vector<const HTML_ELEMENT*>& found) const
    {
        for (const auto& child : children) {
            if (test(*child))
                found.push_back(child.get());
            child->Collect(test, found);
        }
    }
};

// The page's root element, or none with error set to the parser's complaint.
inline std::unique_ptr<HTML_ELEMENT> ParsePage(const std::string& page, QString* error)
{
    QXmlStreamReader reader(QByteArray::fromStdString(page));
    auto root = std::make_unique<HTML_ELEMENT>();
    std::vector<HTML_ELEMENT*> open{root.get()};
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            auto element = std::make_unique<HTML_ELEMENT>();
            element->name = reader.name().toString();
            for (const QXmlStreamAttribute& attribute : reader.attributes())
                element->attributes.insert(attribute.name().toString(), attribute.value().toString());
            HTML_ELEMENT* raw = element.get();
            open.back()->children.push_back(std::move(element));
            open.push_back(raw);
        } else if (reader.isEndElement()) {
            open.pop_back();
        } else if (reader.isCharacters()) {
            for (HTML_ELEMENT* element : open)
                element->text += reader.text();
        }
    }
    if (reader.hasError()) {
        *error = reader.errorString() + QStringLiteral(" at line ") +
                 QString::number(reader.lineNumber());
        return nullptr;
    }
    return root;
}
