#include "render/output/ParticleOutput.h"

#include "edit/model/Scene.h"
#include "effect/movement/HashRandom.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/gpu/VertexList.h"
#include "render/context/ObjectContext.h"
#include "render/output/BasicOutput.h"
#include "render/output/BlendModeList.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Effect {

namespace {

using namespace Transform;

// Rotation about a unit axis by an angle in radians (row vectors).
Matrix4 axisRotation(Media::Float3 n, float angle) {
    const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
    return {c + t * n.x * n.x,       t * n.x * n.y + s * n.z, t * n.x * n.z - s * n.y, 0,
            t * n.x * n.y - s * n.z, c + t * n.y * n.y,       t * n.y * n.z + s * n.x, 0,
            t * n.x * n.z + s * n.y, t * n.y * n.z - s * n.x, c + t * n.z * n.z,       0,
            0,                       0,                       0,                       1};
}

bool isZero(Media::Float3 v) { return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f; }

}  // namespace

ParticleOutput::ParticleOutput()
    : MoveEffect(Name, EffectKind::Output, MediaKind::Video, MediaKind::Video, L""),
      blend(items, L"合成モード", 0, blendModeList()) {
    anchorItems = &position;
}

OutputView ParticleOutput::getOutputView(Render::ObjectContext& context) {
    OutputView view = context.view;
    view.x += static_cast<float>(x.getValue(context));
    view.y += static_cast<float>(y.getValue(context));
    view.z += static_cast<float>(z.getValue(context));
    applyTransparencyAndBlend(view, 0.0f, blend.value);
    // Particles with any transparency are drawn as not quite opaque.
    if (transparency.getValue(context) > 0.0) view.alpha *= 0.999999f;
    return view;
}

void ParticleOutput::outputVideo(Render::ObjectContext& context, Media::RenderBuffer& target,
                                 std::unique_ptr<Media::ResourceBuffer>& image) {
    context.drawnDifferently = 1;
    const double f = rate.getValue(context);
    if (!(f > 0.0)) return;

    std::shared_ptr<Media::VertexList> shape = context.vertexList;
    if (!shape) {
        if (!image) return;
        const float w = static_cast<float>(image->getWidth()) / 2.0f;
        const float h = static_cast<float>(image->getHeight()) / 2.0f;
        auto quad = std::make_shared<Media::VertexListQuadPosUv>();
        quad->vertices = {{-w, -h, 0, 0, 0, 1, 0}, {w, -h, 0, 1, 0, 1, 0}, {w, h, 0, 1, 1, 1, 0},
                          {-w, h, 0, 0, 1, 1, 0}};
        shape = quad;
    }
    const std::shared_ptr<Media::VertexList> particles = shape->createEmpty();
    context.vertexList = particles;

    const Effect::ObjectFrames& frames = context.getObjectFrames();
    const double frameRate = context.scene ? context.scene->videoRate : 30.0;
    const double frameScale = context.scene ? context.scene->videoScale : 1.0;
    const double q = (context.time - frames.start) * frameScale / frameRate * f;
    if (q < 0.0) return;
    const double whole = std::floor(q);
    const long long n = static_cast<long long>(whole);
    const double c = (q - whole) / f;
    const std::int32_t seed =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(context.layer) << 16) ^ frames.start;
    const bool alongMovement = directionFromMovement.value || angleFromMovement.value;
    auto at = [&](const EffectItemNumber& item, double frame) { return item.getValueAtTime(context, frame); };

    for (long long i = 0; i < maxParticles && n - i >= 0; ++i) {
        const long long k = n - i;
        const double e = static_cast<double>(k) / f * frameRate / frameScale + frames.start;
        const double a = static_cast<double>(i) / f + c;

        const double life = at(lifetime, e);
        if (life > 0.0 && a > life) continue;
        HashRandom random;
        random.start(seed, static_cast<std::int32_t>(k));
        const double size = at(scale, e) + at(scaleSpeed, e) * a;
        if (size <= 0.0) continue;
        const double transparent = at(transparency, e) + at(transparencySpeed, e) * a;
        if (transparent >= 100.0) continue;
        const float alpha = std::min(static_cast<float>(1.0 - transparent * 0.01), 1.0f);
        const double dist = at(speed, e) * a + at(acceleration, e) * 0.5 * a * a;
        const double drop = at(gravity, e) * 0.5 * a * a;
        const double u1 = random.next();
        const double theta = (at(direction, e) + at(spread, e) * (u1 - 0.5)) * std::numbers::pi / 180.0;
        const double turn = at(angle, e) + a * at(angleSpeed, e) * 360.0;

        double p = e;
        if (randomPoint.value) {
            const float u2 = random.next();
            p = static_cast<float>(frames.start) +
                static_cast<float>(frames.end - frames.start) * u2;
        }
        const Media::Float3 emitter{static_cast<float>(at(x, p)), static_cast<float>(at(y, p)),
                                    static_cast<float>(at(z, p))};
        Media::Float3 d{0, 0, 0}, axis{0, 0, 0};
        if (alongMovement) {
            const Media::Float3 next{static_cast<float>(at(x, p + 1)), static_cast<float>(at(y, p + 1)),
                                     static_cast<float>(at(z, p + 1))};
            d = Media::normalise(emitter - next);
            axis = Media::normalise(Media::cross(d, {0, 1, 0}));
        }

        const float u = static_cast<float>(size) / 100.0f;
        Matrix4 m = scaling(u, u, u);
        if (!randomSpin.value) {
            m = multiply(m, rotationZ(static_cast<float>(turn)));
        } else {
            const float u3 = random.next(), u4 = random.next(), u5 = random.next(), u6 = random.next();
            const float zz = 2.0f * u5 - 1.0f;
            const float rho = std::sqrt(std::max(0.0f, 1.0f - zz * zz));
            const float phi = (2.0f * u6 - 1.0f) * std::numbers::pi_v<float>;
            const Media::Float3 spin = Media::normalise({rho * std::cos(phi), rho * std::sin(phi), zz});
            const float degrees = static_cast<float>(u4 * at(angleSpeed, e) * 360.0 * a) + u3 * 360.0f;
            m = multiply(m, axisRotation(spin, degrees * std::numbers::pi_v<float> / 180.0f));
        }
        if (angleFromMovement.value && !isZero(axis))
            m = multiply(m, axisRotation(axis, -std::acos(std::clamp(Media::dot(d, {0, 1, 0}), -1.0f, 1.0f))));
        if (directionFromMovement.value) {
            const float travel = static_cast<float>(dist);
            m = multiply(m, translation(travel * d.x, travel * d.y, travel * d.z));
            if (!isZero(axis)) {
                const float t = static_cast<float>(theta);
                m = multiply(m, axisRotation(axis, axis.z < 0.0f ? -t : t));
            }
            m = multiply(m, translation(emitter.x, emitter.y + static_cast<float>(drop), emitter.z));
        } else {
            m = multiply(m, translation(emitter.x - static_cast<float>(std::sin(theta) * dist),
                                        emitter.y + static_cast<float>(drop + std::cos(theta) * dist),
                                        emitter.z));
        }
        particles->appendTransformed(*shape, m, alpha);
    }

    if (particles->isEmpty()) return;
    // Every particle's matrix holds the emitter already.
    const OutputView own = context.view;
    context.view.x -= static_cast<float>(x.getValue(context));
    context.view.y -= static_cast<float>(y.getValue(context));
    context.view.z -= static_cast<float>(z.getValue(context));
    drawObject(context, target, image.get());
    context.view.x = own.x;
    context.view.y = own.y;
    context.view.z = own.z;
}

}  // namespace Effect
