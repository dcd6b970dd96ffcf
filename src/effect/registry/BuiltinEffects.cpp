#include "effect/registry/BuiltinEffects.h"

#include "effect/registry/BuiltinEffectHooks.h"
#include "effect/registry/EffectService.h"

namespace Effect {

std::span<const BuiltinEffect> builtinEffects() {
    static const BuiltinEffect table[] = {
        {1, L"動画ファイル", 1, 3, L"", &registerInstalledEffect<1>},  // MovieLoad
        {2, L"画像ファイル", 1, 1, L"", &registerInstalledEffect<2>},  // ImageLoad
        {3, L"音声ファイル", 1, 2, L"", &registerInstalledEffect<3>},  // AudioLoad
        {4, L"モデルファイル", 1, 1, L"", nullptr},  // ModelLoad
        {5, L"テキスト", 1, 1, L"", &registerInstalledEffect<5>},  // TextInput
        {6, L"図形", 1, 1, L"", &registerInstalledEffect<6>},  // FigureLoad
        {7, L"シーン", 1, 3, L"", &registerInstalledEffect<7>},  // SceneLoad
        {8, L"フレームバッファ", 1, 1, L"", nullptr},  // FrameLoad
        {9, L"オーディオバッファ", 1, 2, L"", nullptr},  // AudioBufferLoad
        {10, L"直前オブジェクト", 1, 1, L"", nullptr},  // BeforeObjectLoad
        {11, L"標準描画", 2, 1, L"", &registerInstalledEffect<11>},  // VideoOutput
        {12, L"音声再生", 2, 2, L"", &registerInstalledEffect<12>},  // AudioOutput
        {13, L"映像再生", 2, 3, L"", &registerInstalledEffect<13>},  // MovieOutput
        {14, L"基本出力", 2, 1, L"", &registerInstalledEffect<14>},  // SimpleOutput
        {15, L"パーティクル出力", 2, 1, L"", &registerInstalledEffect<15>},  // ParticleOutput
        {16, L"部分フィルタ", 4, 1, L"", nullptr},  // PartEffect
        {17, L"グループ制御", 4, 1, L"オブジェクト制御", &registerInstalledEffect<17>},  // GroupControl
        {18, L"グループ制御(音声)", 4, 2, L"オブジェクト制御", &registerInstalledEffect<18>},  // GroupAudioControl
        {19, L"カメラ制御", 4, 1, L"オブジェクト制御", &registerInstalledEffect<19>},  // CameraControl
        {20, L"時間制御(オブジェクト)", 4, 3, L"オブジェクト制御", &registerInstalledEffect<20>},  // TimeControl
        {21, L"音声波形表示", 1, 1, L"カスタムオブジェクト", nullptr},  // WaveImageInput
        {22, L"色調補正", 3, 1, L"色調整", nullptr},  // ColorFilter
        {23, L"グラデーション", 3, 1, L"色調整", nullptr},  // GradationFilter
        {24, L"単色化", 3, 1, L"色調整", nullptr},  // MonochromeFilter
        {25, L"特定色域変換", 3, 1, L"色調整", nullptr},  // ColorChangeFilter
        {26, L"拡張色設定", 3, 1, L"色調整", nullptr},  // ExpandedColorFilter
        {27, L"クリッピング", 3, 1, L"クリッピング", nullptr},  // ClipFilter
        {28, L"斜めクリッピング", 3, 1, L"クリッピング", &registerInstalledEffect<28>},  // LineClipFilter
        {29, L"扇クリッピング", 3, 1, L"クリッピング", &registerInstalledEffect<29>},  // AngleClipFilter
        {30, L"マスク", 3, 1, L"クリッピング", nullptr},  // MaskFilter
        {31, L"ぼかし", 3, 1, L"ぼかし", &registerInstalledEffect<31>},  // BokashiFilter
        {32, L"レンズブラー", 3, 1, L"ぼかし", nullptr},  // BokehFilter
        {33, L"放射ブラー", 3, 1, L"ぼかし", &registerInstalledEffect<33>},  // BlurFilter
        {34, L"方向ブラー", 3, 1, L"ぼかし", nullptr},  // BlurDirectionFilter
        {35, L"境界ぼかし", 3, 1, L"ぼかし", nullptr},  // BorderBlurFilter
        {36, L"グロー", 3, 1, L"光効果", nullptr},  // GlowFilter
        {37, L"発光", 3, 1, L"光効果", nullptr},  // BloomFilter
        {38, L"閃光", 3, 1, L"光効果", nullptr},  // FlashFilter
        {39, L"拡散光", 3, 1, L"光効果", nullptr},  // DiffusionFilter
        {40, L"ライト", 3, 1, L"光効果", nullptr},  // LightFilter
        {41, L"色ずれ", 3, 1, L"光効果", nullptr},  // ColorShiftFilter
        {42, L"縁取り", 3, 1, L"装飾", nullptr},  // BorderFilter
        {43, L"枠線", 3, 1, L"装飾", nullptr},  // FrameLineFilter
        {44, L"ドロップシャドウ", 3, 1, L"装飾", nullptr},  // DropShadowFilter
        {45, L"凸エッジ", 3, 1, L"装飾", nullptr},  // BevelFilter
        {46, L"クロマキー", 3, 1, L"抽出", nullptr},  // ChromaKeyFilter
        {47, L"ルミナンスキー", 3, 1, L"抽出", nullptr},  // LuminanceKeyFilter
        {48, L"カラーキー", 3, 1, L"抽出", nullptr},  // ColorKeyFilter
        {49, L"エッジ抽出", 3, 1, L"抽出", nullptr},  // EdgeFilter
        {50, L"波紋", 3, 1, L"変形", nullptr},  // RippleFilter
        {51, L"ラスター", 3, 1, L"変形", nullptr},  // RasterFilter
        {52, L"極座標変換", 3, 1, L"変形", nullptr},  // PolarFilter
        {53, L"ディスプレイスメントマップ", 3, 1, L"変形", nullptr},  // DisplacementFilter
        {54, L"リサイズ", 3, 1, L"変形", nullptr},  // ResizeFilter
        {55, L"シャープ", 3, 1, L"加工", nullptr},  // ShapeFilter
        {56, L"ノイズ除去", 3, 1, L"加工", nullptr},  // NoiseReductionFilter
        {57, L"インターレース解除", 3, 1, L"加工", nullptr},  // DeinterlaceFilter
        {58, L"ノイズ", 3, 1, L"加工", nullptr},  // NoiseFilter
        {59, L"モザイク", 3, 1, L"加工", nullptr},  // MosaicFilter
        {60, L"オフスクリーン描画", 3, 1, L"", &registerInstalledEffect<60>},  // TempDraw
        {61, L"画像ループ", 3, 1, L"配置", nullptr},  // ImageLoop
        {62, L"オブジェクト分割", 3, 1, L"配置", nullptr},  // ObjectDivide
        {63, L"フェード", 3, 1, L"切り替え効果", nullptr},  // FadeFilter
        {64, L"ワイプ", 3, 1, L"切り替え効果", nullptr},  // WipeFilter
        {65, L"シーンチェンジ", 4, 1, L"シーンチェンジ", &registerInstalledEffect<65>},  // SceneChange
        {66, L"振動", 3, 1, L"アニメーション効果", nullptr},  // QuakeFilter
        {67, L"スクリプト制御", 3, 1, L"アニメーション効果", nullptr},  // ScriptEdit
        {68, L"並行光源(カメラ制御)", 3, 4, L"カメラ制御", &registerInstalledEffect<68>},  // CameraLight
        {69, L"環境光(カメラ制御)", 3, 4, L"カメラ制御", &registerInstalledEffect<69>},  // CameraLightAmbient
        {70, L"ライトブルーム(カメラ制御)", 3, 4, L"カメラ制御", &registerInstalledEffect<70>},  // CameraLightBloom
        {71, L"材質設定(カメラ制御)", 3, 1, L"カメラ制御", &registerInstalledEffect<71>},  // MaterialSetting
        {72, L"カメラ制御オプション", 3, 1, L"カメラ制御", &registerInstalledEffect<72>},  // CameraOption
        {73, L"座標", 3, 1, L"基本効果", &registerInstalledEffect<73>},  // BasicMove
        {74, L"拡大率", 3, 1, L"基本効果", &registerInstalledEffect<74>},  // BasicScale
        {75, L"透明度", 3, 1, L"基本効果", &registerInstalledEffect<75>},  // BasicAlpha
        {76, L"回転", 3, 1, L"基本効果", &registerInstalledEffect<76>},  // BasicAngle
        {77, L"領域拡張", 3, 1, L"基本効果", nullptr},  // BasicExpand
        {78, L"反転", 3, 1, L"基本効果", nullptr},  // BasicInvert
        {79, L"音量フェード", 3, 2, L"音声効果", &registerInstalledEffect<79>},  // AudioFadeFilter
        {80, L"モノラル化", 3, 2, L"音声効果", &registerInstalledEffect<80>},  // AudioMonoFilter
        {81, L"音量調整", 3, 2, L"音声効果", &registerInstalledEffect<81>},  // AudioVolume
    };
    return table;
}

}  // namespace Effect
