// Placeholder until the report lands.
namespace {
[[maybe_unused]] int reportPainterPlaceholder = 0;
}
