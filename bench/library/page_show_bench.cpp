// Showing a page in the library's editor: a page of a million short paragraphs (goal 5 s), and
// ordinary pages of about 300 KB (well under a second). Timed from reading the file to the editor
// having drawn itself once.
#include "platform/forms/richtextbox.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

QByteArray header() {
    return QByteArray("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
                      "{\\colortbl;\\red192\\green0\\blue0;\\red0\\green0\\blue160;}\\f0\\fs24 ");
}

// One letter a paragraph: six bytes each.
QByteArray millionParagraphs() {
    QByteArray rtf = header();
    rtf.reserve(rtf.size() + 6'000'010);
    for (int i = 0; i < 1'000'000; ++i) rtf += "a\\par\n";
    rtf += '}';
    return rtf;
}

// Notes as users write them: paragraphs of Chinese text in code page 936 with bold, coloured and
// larger runs, a bullet list now and then.
QByteArray ordinaryPage(qsizetype size) {
    // "紫微星入命宫，主贵气，逢左辅右弼同宫则更吉。" in code page 936.
    const QByteArray sentence = "\\'d7\\'cf\\'ce\\'a2\\'d0\\'c7\\'c8\\'eb\\'c3\\'fc\\'b9\\'ac\\'a3\\'ac\\'d6\\'f7\\'b9"
                                "\\'f3\\'c6\\'f8\\'a3\\'ac\\'b7\\'ea\\'d7\\'f3\\'b8\\'a8\\'d3\\'d2\\'e5\\'f6\\'cd\\'ac"
                                "\\'b9\\'ac\\'d4\\'f2\\'b8\\'fc\\'bc\\'aa\\'a1\\'a3";
    QByteArray rtf = header();
    for (int i = 0; rtf.size() < size; ++i) {
        if (i % 10 == 0) rtf += "\\pard{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnindent360{\\pntxtb\\'b7}}\\fi-360\\li720 ";
        else rtf += "\\pard ";
        rtf += sentence;
        rtf += "{\\b\\cf1 ";
        rtf += sentence;
        rtf += "}{\\fs32\\cf2 ";
        rtf += sentence;
        rtf += "}";
        rtf += sentence;
        rtf += sentence;
        rtf += "\\par\r\n";
    }
    rtf += '}';
    return rtf;
}

class PageFile {
public:
    explicit PageFile(const QByteArray& rtf) {
        QFile f(dir_.filePath(QStringLiteral("GREENNOTE1.rtf")));
        if (!f.open(QIODevice::WriteOnly) || f.write(rtf) != rtf.size()) qFatal("cannot write the page");
        path_ = f.fileName();
    }
    const QString& path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
};

void showPage(benchmark::State& state, const QByteArray& rtf) {
    PageFile page(rtf);
    auto box = std::make_unique<forms::RichTextBox>(QStringLiteral("txtCode"));
    box->resize(800, 600);
    box->show();
    QApplication::processEvents();
    for (auto _ : state) {
        box->loadFile(page.path());
        box->repaint();
        QApplication::processEvents();
        state.PauseTiming();
        box->clear();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["bytes"] = static_cast<double>(rtf.size());
}

void BM_ShowMillionParagraphPage(benchmark::State& state) { showPage(state, millionParagraphs()); }
BENCHMARK(BM_ShowMillionParagraphPage)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ShowOrdinaryPage(benchmark::State& state) { showPage(state, ordinaryPage(300 * 1024)); }
BENCHMARK(BM_ShowOrdinaryPage)->Unit(benchmark::kMillisecond);

}  // namespace
