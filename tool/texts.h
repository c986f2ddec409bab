// The tool's Japanese texts as Shift-JIS byte strings, and the messages
// also in UTF-8 (defined in texts.cpp, which scripts/gen_texts.py generates
// from their readable spelling).
#pragma once

namespace texts {

extern const char* const kAppTitle;        // t482_ハルカゼ
extern const char* const kDialogCaption;   // ハルカゼ
extern const char* const kConfirmCaption;  // 確認
extern const char* const
    kMsgNoSettings;  // t207_ミナトセ／t319_ツキシロが一度も実行されていません。先にそちらを実行して下さい。
extern const char* const
    kMsgInsideChain;  // 直前作図した水平寸法線の内側を指定する事は出来ません。
extern const char* const
    kMsgZeroLength;  // 寸法が「0」になりますので作図出来ません
extern const char* const kMsgNoPickedPoint;  // 点が指示されていません。
extern const char* const kStatusIdle;        // 　
extern const char* const kStatusBuilding;        // 処理中です
extern const char* const kStatusWriting;         // ファイル生成中です
extern const char* const kCurrentTextTypeHead;   // 現在の文字種(
extern const char* const kUnitMetre;             // ｍ
extern const char* const kMarkerLineArrow;       // 線矢印
extern const char* const kMarkerTriangle;        // △
extern const char* const kMarkerSquare;          // □
extern const char* const kMarkerLetterO;         // Ｏ
extern const char* const kMarkerCircle;          // ○
extern const char* const kMarkerFilledSquare;    // ■
extern const char* const kMarkerFilledTriangle;  // ▲
extern const char* const kMarkerFilledCircle;    // ●
extern const char* const kMarkerTilde;           // ～
extern const char* const kMarkerGreater;         // ＞
extern const char* const kMarkerSlash;           // ／
extern const char* const kRoundDown;             // 切り捨て
extern const char* const kRoundUp;               // 切り上げ
extern const char* const kRoundHalfUp;           // 四捨五入
extern const char* const kRadioZerosCaption;     // 小数点以下の０表示
extern const char* const kRadioZerosNo;          // 無
extern const char* const kRadioZerosYes;         // 有
extern const char* const kRadioUnitCaption;      // 寸法値の単位
extern const char* const kCheckThousands;        // ３桁毎カンマ付加
extern const char* const kCheckAppendUnit;       // 単位の付加
extern const char* const kCheckFullWidth;        // 寸法値を全角化
extern const char* const kCheckDimFigure;        // 寸法図形化
extern const char* const kButtonOk;              // ＯＫ(&Y)
extern const char* const kButtonCancel;          // キャンセル(&N)
extern const char* const kLabel1;                // 端点倍率
extern const char* const kLabel2;                // 寸法値の文字種
extern const char* const kLabel3;   // 寸法値と水平線との距離
extern const char* const kLabel5;   // 計測点と寸法補助線の距離
extern const char* const kLabel6;   // 始点
extern const char* const kLabel7;   // 終点
extern const char* const kLabel9;   // 寸法補助線のはみ出し距離
extern const char* const kLabel11;  // 接頭文字
extern const char* const kLabel12;  // 接尾文字
extern const char* const kLabel13;  // 寸法値の精度
extern const char* const kLabel14;  // 逆矢印の寸法はみだし距離
extern const char* const kLabel15;  // （線矢印）
extern const char* const kLabel16;  // 角度
extern const char* const kLabel17;  // 長さ
extern const char* const kLabel19;  // °
extern const char* const kLabel20;  // （点マーカ　線矢印を除く）
extern const char* const kLabel21;  // 寸法値の丸め
extern const char* const kPaperMm;  // 図寸mm
extern const char* const kDialogFont;  // ＭＳ ゴシック

constexpr int kMemoLineCount = 24;
/// The 24 lines of the notes memo, empty lines included.
extern const char* const kMemoLines[kMemoLineCount];

struct MessageSpelling {
  const char* Sjis;
  const char* Utf8;
};
constexpr int kMessageCount = 4;
/// The messages kMsg… above, each beside its UTF-8 spelling.
extern const MessageSpelling kMessages[kMessageCount];

}  // namespace texts
