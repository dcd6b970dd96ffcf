#include "effect/registry/BuiltinEffects.h"

#include "effect/registry/BuiltinEffectHooks.h"
#include "effect/registry/EffectService.h"

namespace Effect {

std::span<const BuiltinEffect> builtinEffects() {
    static const BuiltinEffect table[] = {
        {1, L"動画ファイル", nullptr},  // MovieLoad
        {2, L"画像ファイル", nullptr},  // ImageLoad
        {3, L"音声ファイル", nullptr},  // AudioLoad
        {4, L"モデルファイル", nullptr},  // ModelLoad
        {5, L"テキスト", nullptr},  // TextInput
        {6, L"図形", nullptr},  // FigureLoad
        {7, L"シーン", nullptr},  // SceneLoad
        {8, L"フレームバッファ", nullptr},  // FrameLoad
        {9, L"オーディオバッファ", nullptr},  // AudioBufferLoad
        {10, L"直前オブジェクト", nullptr},  // BeforeObjectLoad
        {11, L"標準描画", &registerInstalledEffect<11>},  // VideoOutput
        {12, L"音声再生", nullptr},  // AudioOutput
        {13, L"映像再生", &registerInstalledEffect<13>},  // MovieOutput
        {14, L"基本出力", &registerInstalledEffect<14>},  // SimpleOutput
        {15, L"パーティクル出力", &registerInstalledEffect<15>},  // ParticleOutput
        {16, L"部分フィルタ", nullptr},  // PartEffect
        {17, L"グループ制御", nullptr},  // GroupControl
        {18, L"グループ制御(音声)", nullptr},  // GroupAudioControl
        {19, L"カメラ制御", nullptr},  // CameraControl
        {20, L"時間制御(オブジェクト)", nullptr},  // TimeControl
        {21, L"音声波形表示", nullptr},  // WaveImageInput
        {22, L"色調補正", nullptr},  // ColorFilter
        {23, L"グラデーション", nullptr},  // GradationFilter
        {24, L"単色化", nullptr},  // MonochromeFilter
        {25, L"特定色域変換", nullptr},  // ColorChangeFilter
        {26, L"拡張色設定", nullptr},  // ExpandedColorFilter
        {27, L"クリッピング", nullptr},  // ClipFilter
        {28, L"斜めクリッピング", nullptr},  // LineClipFilter
        {29, L"扇クリッピング", nullptr},  // AngleClipFilter
        {30, L"マスク", nullptr},  // MaskFilter
        {31, L"ぼかし", nullptr},  // BokashiFilter
        {32, L"レンズブラー", nullptr},  // BokehFilter
        {33, L"放射ブラー", nullptr},  // BlurFilter
        {34, L"方向ブラー", nullptr},  // BlurDirectionFilter
        {35, L"境界ぼかし", nullptr},  // BorderBlurFilter
        {36, L"グロー", nullptr},  // GlowFilter
        {37, L"発光", nullptr},  // BloomFilter
        {38, L"閃光", nullptr},  // FlashFilter
        {39, L"拡散光", nullptr},  // DiffusionFilter
        {40, L"ライト", nullptr},  // LightFilter
        {41, L"色ずれ", nullptr},  // ColorShiftFilter
        {42, L"縁取り", nullptr},  // BorderFilter
        {43, L"枠線", nullptr},  // FrameLineFilter
        {44, L"ドロップシャドウ", nullptr},  // DropShadowFilter
        {45, L"凸エッジ", nullptr},  // BevelFilter
        {46, L"クロマキー", nullptr},  // ChromaKeyFilter
        {47, L"ルミナンスキー", nullptr},  // LuminanceKeyFilter
        {48, L"カラーキー", nullptr},  // ColorKeyFilter
        {49, L"エッジ抽出", nullptr},  // EdgeFilter
        {50, L"波紋", nullptr},  // RippleFilter
        {51, L"ラスター", nullptr},  // RasterFilter
        {52, L"極座標変換", nullptr},  // PolarFilter
        {53, L"ディスプレイスメントマップ", nullptr},  // DisplacementFilter
        {54, L"リサイズ", nullptr},  // ResizeFilter
        {55, L"シャープ", nullptr},  // ShapeFilter
        {56, L"ノイズ除去", nullptr},  // NoiseReductionFilter
        {57, L"インターレース解除", nullptr},  // DeinterlaceFilter
        {58, L"ノイズ", nullptr},  // NoiseFilter
        {59, L"モザイク", nullptr},  // MosaicFilter
        {60, L"オフスクリーン描画", &registerInstalledEffect<60>},  // TempDraw
        {61, L"画像ループ", nullptr},  // ImageLoop
        {62, L"オブジェクト分割", nullptr},  // ObjectDivide
        {63, L"フェード", nullptr},  // FadeFilter
        {64, L"ワイプ", nullptr},  // WipeFilter
        {65, L"シーンチェンジ", nullptr},  // SceneChange
        {66, L"振動", nullptr},  // QuakeFilter
        {67, L"スクリプト制御", nullptr},  // ScriptEdit
        {68, L"並行光源(カメラ制御)", nullptr},  // CameraLight
        {69, L"環境光(カメラ制御)", nullptr},  // CameraLightAmbient
        {70, L"ライトブルーム(カメラ制御)", nullptr},  // CameraLightBloom
        {71, L"材質設定(カメラ制御)", nullptr},  // MaterialSetting
        {72, L"カメラ制御オプション", nullptr},  // CameraOption
        {73, L"座標", nullptr},  // BasicMove
        {74, L"拡大率", nullptr},  // BasicScale
        {75, L"透明度", nullptr},  // BasicAlpha
        {76, L"回転", nullptr},  // BasicAngle
        {77, L"領域拡張", nullptr},  // BasicExpand
        {78, L"反転", nullptr},  // BasicInvert
        {79, L"音量フェード", nullptr},  // AudioFadeFilter
        {80, L"モノラル化", nullptr},  // AudioMonoFilter
        {81, L"音量調整", nullptr},  // AudioVolume
    };
    return table;
}

}  // namespace Effect
