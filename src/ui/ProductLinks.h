#pragma once

// Where the product lives on the web and where its users write to; the About box shows them
// and the help menu opens the home page.
inline constexpr char ProductHomePage[] = "https://zelkit.example.org/chat/";
inline constexpr char ProductSupportAddress[] = "support@zelkit.example.org";
