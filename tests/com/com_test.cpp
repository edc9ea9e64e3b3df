// The object model's own pieces: value coercion, tagged stream values, reference counting and
// QueryInterface, connection points, the class registry file and the widget extender.
#include "platform/com/class_registry.h"
#include "platform/com/connection_points.h"
#include "platform/com/host/container_site.h"
#include "platform/com/persistence.h"
#include "tests/support/test_env.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace com;

TEST(ComValue, ChangeType) {
    struct Case {
        Value from;
        VarType to;
        HResult hr;
        Value expected;
    };
    const Case cases[] = {
        {Value(int32_t(7)), VarType::I2, S_OK, Value(int16_t(7))},
        {Value(int32_t(40000)), VarType::I2, DISP_E_OVERFLOW, Value()},
        {Value(int32_t(-1)), VarType::UI4, DISP_E_OVERFLOW, Value()},
        {Value(uint32_t(0x8000000F)), VarType::I4, DISP_E_OVERFLOW, Value()},
        {Value(2.5), VarType::I2, S_OK, Value(int16_t(2))},  // half to even
        {Value(3.5), VarType::I4, S_OK, Value(int32_t(4))},
        {Value(" 12 "), VarType::I4, S_OK, Value(int32_t(12))},
        {Value("abc"), VarType::I4, DISP_E_TYPEMISMATCH, Value()},
        {Value("true"), VarType::Bool, S_OK, Value(true)},
        {Value(true), VarType::I2, S_OK, Value(int16_t(-1))},
        {Value(int16_t(0)), VarType::Bool, S_OK, Value(false)},
        {Value(int32_t(5)), VarType::BStr, S_OK, Value("5")},
        {Value(), VarType::I4, S_OK, Value(int32_t(0))},
        {Value::null(), VarType::I4, DISP_E_TYPEMISMATCH, Value()},
        {Value::null(), VarType::BStr, DISP_E_TYPEMISMATCH, Value()},
    };
    for (const Case& c : cases) {
        Value out;
        EXPECT_EQ(c.from.changeType(c.to, &out), c.hr) << c.from.toString().toStdString();
        if (c.hr == S_OK) {
            EXPECT_EQ(out, c.expected) << c.from.toString().toStdString();
        }
    }
    EXPECT_TRUE(Value::sameValue(Value(int16_t(30)), Value(int32_t(30))));
    EXPECT_TRUE(Value::sameValue(Value(true), Value(int16_t(-1))));
    EXPECT_FALSE(Value::sameValue(Value("30"), Value(int32_t(30))));
}

TEST(ComStream, TaggedValuesRoundTrip) {
    auto s = make<MemoryStream>();
    const Value values[] = {Value(int16_t(-2)), Value(int32_t(70000)), Value(uint32_t(0x8000000F)), Value(true),
                            Value(1.5f), Value(-2.25), Value(int64_t(1) << 40)};
    for (const Value& v : values) ASSERT_EQ(writeTaggedValue(s.get(), v), S_OK);
    EXPECT_EQ(writeTaggedValue(s.get(), Value("text")), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(s->bytes().left(4), QByteArray("\x02\x00\xfe\xff", 4));
    auto r = make<MemoryStream>(s->bytes());
    for (const Value& v : values) {
        Value got;
        ASSERT_EQ(readTaggedValue(r.get(), &got), S_OK);
        EXPECT_EQ(got, v);
    }
    Value got;
    EXPECT_EQ(readTaggedValue(r.get(), &got), STG_E_READFAULT);
    auto shortOne = make<MemoryStream>(QByteArray("\x03\x00\x01", 3));
    EXPECT_EQ(readTaggedValue(shortOne.get(), &got), STG_E_READFAULT);
}

namespace {
class Sink final : public Object<IPropertyNotifySink> {
public:
    int calls = 0;
    HResult OnChanged(DispId) override {
        ++calls;
        return S_OK;
    }
    HResult OnRequestEdit(DispId) override { return S_OK; }
};
}  // namespace

TEST(ComObject, ReferencesAndConnections) {
    auto cp = make<ConnectionPoint>(IPropertyNotifySink::iid);
    auto a = make<Sink>(), b = make<Sink>();
    Cookie ca = 0, cb = 0;
    ASSERT_EQ(cp->Advise(a.get(), &ca), S_OK);
    ASSERT_EQ(cp->Advise(b.get(), &cb), S_OK);
    EXPECT_NE(ca, cb);
    EXPECT_EQ(a->AddRef(), 3u);  // ours, the connection's, this one
    a->Release();
    // A sink that unadvises itself while being called does not stop the others.
    cp->forEach<IPropertyNotifySink>([&](IPropertyNotifySink* s) {
        s->OnChanged(1);
        cp->Unadvise(ca);
    });
    EXPECT_EQ(a->calls + b->calls, 2);
    EXPECT_EQ(cp->count(), 1u);
    auto asUnknown = queryInterface<IUnknown>(static_cast<IUnknown*>(b.get()));
    EXPECT_TRUE(asUnknown);
    EXPECT_FALSE(queryInterface<IStream>(b));
}

TEST(ComRegistry, ReadsWhatItWritesAndSkipsStrayLines) {
    const QString path = testenv::userRoot() + "/config/com-test.ini";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("stray=1\n; note\n[A\\B]\r\n@=default value\r\nName=x=y\nnot a value\n[A\\B\\C]\n[Other]\n");
    }
    ClassRegistry r(path);
    ASSERT_TRUE(r.load());
    EXPECT_EQ(r.keys(), (QStringList{"A\\B", "A\\B\\C", "Other"}));
    EXPECT_EQ(r.value("a\\b"), "default value");
    EXPECT_EQ(r.value("A\\B", "name"), "x=y");
    r.removeTree("A\\B");
    EXPECT_EQ(r.keys(), QStringList{"Other"});
    r.setValue("New", "", "line\nbreak");
    ASSERT_TRUE(r.save());
    ClassRegistry again(path);
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.value("New"), "line break");
    ClassRegistry missing(testenv::userRoot() + "/config/none.ini");
    EXPECT_TRUE(missing.load());
    EXPECT_TRUE(missing.keys().isEmpty());
}

TEST(ComExtender, TwipsAndVisibilityOfAWidget) {
    QWidget parent;
    auto* w = new QWidget(&parent);
    w->setObjectName("Text1");
    w->setGeometry(2, 3, 40, 50);
    auto e = make<WidgetExtender>(w);
    Value v;
    ASSERT_EQ(getProperty(e.get(), "Left", &v), S_OK);
    EXPECT_EQ(v, Value(int32_t(30)));
    ASSERT_EQ(getProperty(e.get(), "name", &v), S_OK);
    EXPECT_EQ(v.toString(), "Text1");
    EXPECT_EQ(getProperty(e.get(), "Index", &v), DISP_E_MEMBERNOTFOUND);
    w->setProperty("Index", 3);
    ASSERT_EQ(getProperty(e.get(), "Index", &v), S_OK);
    EXPECT_EQ(v.toInt32(), 3);
    ASSERT_EQ(putProperty(e.get(), "Width", Value(int32_t(1500))), S_OK);
    ASSERT_EQ(putProperty(e.get(), "Top", Value(int32_t(150))), S_OK);
    EXPECT_EQ(w->geometry(), QRect(2, 10, 100, 50));
    ASSERT_EQ(putProperty(e.get(), "Visible", Value(false)), S_OK);
    EXPECT_TRUE(w->isHidden());
    EXPECT_EQ(putProperty(e.get(), "Caption", Value("x")), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(e->writes(), 3);
    delete w;
    EXPECT_EQ(getProperty(e.get(), "Left", &v), E_FAIL);  // the widget is gone: no crash
}
