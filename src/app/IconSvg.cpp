#include "app/IconSvg.h"

#include <QPainter>
#include <QPolygonF>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <map>
#include <stdexcept>

namespace grafolux {

namespace {

struct Unsupported : std::runtime_error {
    explicit Unsupported(const QString& what) : std::runtime_error(what.toStdString()) {}
};

// The attributes each element may carry; anything else is refused.
const std::map<QString, QStringList>& KnownAttributes() {
    const QStringList kPaint = {"fill", "stroke", "stroke-width", "stroke-linecap",
                                "stroke-linejoin"};
    static const std::map<QString, QStringList> known = {
        {"svg", {"width", "height", "viewBox", "version"}},
        {"rect", QStringList{"x", "y", "width", "height", "rx", "ry"} + kPaint},
        {"circle", QStringList{"cx", "cy", "r"} + kPaint},
        {"line", QStringList{"x1", "y1", "x2", "y2"} + kPaint},
        {"polyline", QStringList{"points"} + kPaint},
        {"polygon", QStringList{"points"} + kPaint},
    };
    return known;
}

QList<double> Numbers(QStringView text) {
    static const QRegularExpression separators("[\\s,]+");
    QList<double> numbers;
    for (const QString& word : text.toString().split(separators, Qt::SkipEmptyParts)) {
        bool ok = false;
        numbers.append(word.toDouble(&ok));
        if (!ok) throw Unsupported(QString("number \"%1\"").arg(word));
    }
    return numbers;
}

class Shape {
public:
    explicit Shape(const QXmlStreamAttributes& attributes) : attributes_(attributes) {}

    bool has(const QString& name) const { return attributes_.hasAttribute(name); }
    QStringView text(const QString& name) const { return attributes_.value(name); }

    double number(const QString& name, double fallback = 0) const {
        if (!has(name)) return fallback;
        const QList<double> numbers = Numbers(text(name));
        if (numbers.size() != 1) throw Unsupported(QString("%1=\"%2\"").arg(name, text(name)));
        return numbers[0];
    }

    // SVG's defaults: filled black, not stroked, butt caps, miter joins.
    void applyPaint(QPainter& p) const {
        const QColor fill = colour("fill", Qt::black);
        p.setBrush(fill.isValid() ? QBrush(fill) : Qt::NoBrush);
        const QColor stroke = colour("stroke", QColor());
        const double width = number("stroke-width", 1);
        // Qt would draw a zero width as one pixel.
        if (!stroke.isValid() || width <= 0) {
            p.setPen(Qt::NoPen);
            return;
        }
        QPen pen(stroke, width);
        pen.setCapStyle(choice<Qt::PenCapStyle>(
            "stroke-linecap",
            {{"butt", Qt::FlatCap}, {"round", Qt::RoundCap}, {"square", Qt::SquareCap}},
            Qt::FlatCap));
        pen.setJoinStyle(choice<Qt::PenJoinStyle>(
            "stroke-linejoin",
            {{"miter", Qt::SvgMiterJoin}, {"round", Qt::RoundJoin}, {"bevel", Qt::BevelJoin}},
            Qt::SvgMiterJoin));
        pen.setMiterLimit(4);
        p.setPen(pen);
    }

    QPolygonF points() const {
        const QList<double> numbers = Numbers(text("points"));
        if (numbers.size() % 2 != 0) throw Unsupported("odd number of coordinates in points");
        QPolygonF polygon;
        for (qsizetype i = 0; i < numbers.size(); i += 2)
            polygon << QPointF(numbers[i], numbers[i + 1]);
        return polygon;
    }

private:
    // An invalid colour for "none". Only #rgb and #rrggbb of the hex forms: Qt reads
    // #aarrggbb where SVG means #rrggbbaa.
    QColor colour(const QString& name, const QColor& fallback) const {
        if (!has(name)) return fallback;
        const QStringView value = text(name);
        if (value == u"none") return QColor();
        const QColor colour = QColor::fromString(value);
        if (!colour.isValid() || (value.startsWith('#') && value.size() != 4 && value.size() != 7))
            throw Unsupported(QString("colour \"%1\"").arg(value));
        return colour;
    }

    template <typename T>
    T choice(const QString& name, const std::map<QString, T>& choices, T fallback) const {
        if (!has(name)) return fallback;
        const auto found = choices.find(text(name).toString());
        if (found == choices.end()) throw Unsupported(QString("%1=\"%2\"").arg(name, text(name)));
        return found->second;
    }

    QXmlStreamAttributes attributes_;
};

void CheckAttributes(const QString& element, const QXmlStreamAttributes& attributes) {
    const auto known = KnownAttributes().find(element);
    if (known == KnownAttributes().end()) throw Unsupported(QString("element <%1>").arg(element));
    for (const QXmlStreamAttribute& attribute : attributes)
        if (!known->second.contains(attribute.qualifiedName()))
            throw Unsupported(
                QString("attribute %1 of <%2>").arg(attribute.qualifiedName(), element));
}

void DrawShape(QPainter& p, const QString& element, const Shape& shape) {
    shape.applyPaint(p);
    if (element == "rect") {
        const QRectF rect(shape.number("x"), shape.number("y"), shape.number("width"),
                          shape.number("height"));
        const double rx = shape.number("rx", shape.number("ry"));
        const double ry = shape.number("ry", rx);
        p.drawRoundedRect(rect, std::min(rx, rect.width() / 2), std::min(ry, rect.height() / 2));
    } else if (element == "circle") {
        const double r = shape.number("r");
        p.drawEllipse(QPointF(shape.number("cx"), shape.number("cy")), r, r);
    } else if (element == "line") {
        p.drawLine(
            QLineF(shape.number("x1"), shape.number("y1"), shape.number("x2"), shape.number("y2")));
    } else if (element == "polyline") {
        // A polyline's fill closes the shape, its stroke does not.
        const QPolygonF points = shape.points();
        const QPen pen = p.pen();
        p.setPen(Qt::NoPen);
        p.drawPolygon(points);
        p.setPen(pen);
        p.drawPolyline(points);
    } else if (element == "polygon") {
        p.drawPolygon(shape.points());
    }
}

// Maps the root's viewBox onto the image.
void SetViewBox(QPainter& p, const Shape& root, int size) {
    if (!root.has("viewBox")) throw Unsupported("<svg> without a viewBox");
    const QList<double> box = Numbers(root.text("viewBox"));
    if (box.size() != 4 || box[2] <= 0 || box[3] <= 0)
        throw Unsupported(QString("viewBox \"%1\"").arg(root.text("viewBox")));
    p.scale(size / box[2], size / box[3]);
    p.translate(-box[0], -box[1]);
}

}  // namespace

SvgDrawing DrawSvgIcon(const QByteArray& svg, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QXmlStreamReader xml(svg);
    try {
        bool seenRoot = false;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            const QString element = xml.name().toString();
            CheckAttributes(element, xml.attributes());
            const Shape shape(xml.attributes());
            if (!seenRoot) {
                if (element != "svg") throw Unsupported(QString("root <%1>").arg(element));
                SetViewBox(p, shape, size);
                seenRoot = true;
            } else {
                if (element == "svg") throw Unsupported("nested <svg>");
                DrawShape(p, element, shape);
            }
        }
        if (xml.hasError())
            return {{}, QString("%1 (line %2)").arg(xml.errorString()).arg(xml.lineNumber())};
    } catch (const Unsupported& unsupported) {
        return {{},
                QString("unsupported %1 (line %2)")
                    .arg(QString::fromStdString(unsupported.what()))
                    .arg(xml.lineNumber())};
    }
    p.end();
    return {image, {}};
}

}  // namespace grafolux
