#pragma once

/// The two interface languages; chooses between the English and Chinese texts.
enum class Language { English, Chinese };
