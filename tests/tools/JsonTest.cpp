// The driver's JSON writer: the snapshot's one-line layout, the statistics figures laid out
// byte for byte as the toolkit lays out its documents, and dumps written where asked.
#include "tools/drive/Json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>

#include "tools/drive/Script.h"

namespace {

std::string Indented(const QJsonValue& v) {
  drive::Json j(drive::Json::Layout::Indented);
  j.Value(v);
  return j.Text() + "\n";
}

std::string Toolkit(const QJsonValue& v) {
  const QJsonDocument doc = v.isArray() ? QJsonDocument(v.toArray()) : QJsonDocument(v.toObject());
  return doc.toJson(QJsonDocument::Indented).toStdString();
}

// A tree of every kind of value, `depth` levels deep, from a seeded generator.
QJsonValue RandomValue(std::mt19937& random, int depth) {
  static const QString kTexts[] = {QString(),
                                   QStringLiteral("ｹ → ﾑ 16回"),
                                   QStringLiteral("tab\there\r\n"),
                                   QStringLiteral("\"quoted\" \\ back"),
                                   QString(QChar(0x1F)) + QChar(0x7F),
                                   QStringLiteral("😀 beyond the plane")};
  static const double kReals[] = {0.1,
                                  4.125,
                                  1e21,
                                  1e-7,
                                  -2.5e-300,
                                  123456789.123,
                                  3.0,
                                  -0.0,
                                  1.0 / 3,
                                  std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::infinity()};
  const int kind = static_cast<int>(random() % (depth > 0 ? 8 : 6));
  switch (kind) {
    case 0: return QJsonValue();
    case 1: return random() % 2 == 0;
    case 2: return static_cast<qint64>(random()) - (qint64{1} << 31);
    case 3: return kReals[random() % std::size(kReals)];
    case 4: return kTexts[random() % std::size(kTexts)];
    case 5: return static_cast<qint64>(random() % 1000);
    case 6: {
      QJsonArray a;
      for (unsigned n = random() % 4; n > 0; --n) a.append(RandomValue(random, depth - 1));
      return a;
    }
    default: {
      QJsonObject o;
      for (unsigned n = random() % 5; n > 0; --n)
        o[QStringLiteral("k%1").arg(random() % 20)] = RandomValue(random, depth - 1);
      return o;
    }
  }
}

TEST(Json, IndentedLayoutIsTheToolkitsByteForByte) {
  // The corners: empty containers at every level, escapes, lone surrogates, whole and real
  // numbers, numbers no JSON can hold.
  const QJsonObject corners{{"empty_object", QJsonObject{}},
                            {"empty_array", QJsonArray{}},
                            {"nested", QJsonArray{QJsonArray{}, QJsonObject{}, QJsonArray{QJsonObject{{"a", 1}}}}},
                            {"controls", QString(QChar(8)) + QChar(12) + QChar(1) + QStringLiteral("\"\\/")},
                            {"lone", QString(QChar(0xD800)) + QStringLiteral("x") + QChar(0xDC00)},
                            {"whole_real", 3.0},
                            {"big", qint64{9007199254740993}},
                            {"rates", QJsonArray{0.1, 4.125, 1e21, 1e-7, -0.0}},
                            {"nan", std::numeric_limits<double>::quiet_NaN()},
                            {"ｷｰ", QStringLiteral("ｹ")},
                            {"null", QJsonValue()},
                            {"yes", true}};
  EXPECT_EQ(Indented(corners), Toolkit(corners));
  EXPECT_EQ(Indented(QJsonArray{}), Toolkit(QJsonArray{}));
  EXPECT_EQ(Indented(QJsonArray{1, "a", QJsonObject{}}), Toolkit(QJsonArray{1, "a", QJsonObject{}}));

  std::mt19937 random(20);
  for (int i = 0; i < 300; ++i) {
    QJsonObject root;
    for (int k = 0; k < 3; ++k) root[QStringLiteral("v%1").arg(k)] = RandomValue(random, 4);
    ASSERT_EQ(Indented(root), Toolkit(root)) << "tree " << i;
  }
}

TEST(Json, LineLayoutKeepsTheSnapshotsFormat) {
  drive::Json j;
  j.BeginObject().Key("a").BeginArray().Number(1).Real(0.5).Real(2.0).EndArray();
  j.Key("b").BeginObject().EndObject().Key("c").BeginArray().EndArray();
  j.Key("s").String(std::string("x\x01\"\t\b") + "\xE3\x81\x82" + "\xFF").Key("n").Null();
  j.Key("t").Bool(true).EndObject();
  EXPECT_EQ(j.Text(),
            "{\"a\": [1, 0.5, 2], \"b\": {}, \"c\": [], \"s\": \"x\\u0001\\\"\\t\\u0008\xE3\x81\x82\xEF\xBF\xBD\","
            " \"n\": null, \"t\": true}");
}

TEST(Json, DumpsGoToTheStreamOrIntoTheFileNamed) {
  std::ostringstream out;
  drive::WriteDump("-", "{}\n", out);
  EXPECT_EQ(out.str(), "{}\n");
  QTemporaryDir dir;
  const std::string file = dir.filePath("dump.json").toStdString();
  drive::WriteDump(file, "[1]\n", out);
  std::ifstream f(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(f), {}), "[1]\n");
  EXPECT_EQ(out.str(), "{}\n");
  EXPECT_THROW(drive::WriteDump(dir.filePath("no/such/folder/dump.json").toStdString(), "{}", out), drive::ScriptError);
}

}  // namespace
