package com.example.sample;

import java.io.StringReader;
import java.time.LocalDate;
import java.time.temporal.ChronoUnit;
import java.util.Map;
import java.util.TreeMap;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import java.util.stream.Collectors;
import javax.xml.parsers.DocumentBuilderFactory;
import org.w3c.dom.Element;
import org.w3c.dom.NodeList;
import org.xml.sax.InputSource;

/** A small application started by the launcher: it tells what the launcher gave it. */
public final class SampleApplication {
  private static final String RELEASES = "<releases><release version=\"1.0.0\" date=\"2024-03-01\"/>"
      + "<release version=\"1.1.0\" date=\"2024-09-15\"/><release version=\"2.0.0-beta\" date=\"2025-02-10\"/>"
      + "</releases>";

  private SampleApplication() {}

  public static void main(String[] args) throws Exception {
    System.out.println("Hello from the sample application!");
    System.out.println("Running on Java " + System.getProperty("java.version") + " from "
        + System.getenv("QX_JVM_HOME"));
    System.out.println("Greeting from the settings file: " + System.getProperty("sample.greeting"));
    System.out.println("Heap limit: " + Runtime.getRuntime().maxMemory() / (1024 * 1024) + " MB");
    System.out.println("Arguments (" + args.length + "): " + String.join(" | ", args));
    System.out.println("Releases: " + describeReleases());
  }

  // The start-up work of a typical application: an XML document, a regular
  // expression, streams and dates.
  private static String describeReleases() throws Exception {
    NodeList nodes = DocumentBuilderFactory.newInstance().newDocumentBuilder()
        .parse(new InputSource(new StringReader(RELEASES))).getElementsByTagName("release");
    Pattern stable = Pattern.compile("\\d+\\.\\d+\\.\\d+");
    Map<String, LocalDate> releases = new TreeMap<>();
    for (int i = 0; i < nodes.getLength(); i++) {
      Element release = (Element) nodes.item(i);
      Matcher matcher = stable.matcher(release.getAttribute("version"));
      if (matcher.matches()) releases.put(matcher.group(), LocalDate.parse(release.getAttribute("date")));
    }
    LocalDate first = releases.values().stream().min(LocalDate::compareTo).orElseThrow();
    LocalDate last = releases.values().stream().max(LocalDate::compareTo).orElseThrow();
    return releases.entrySet().stream().map(e -> e.getKey() + " (" + e.getValue() + ")")
        .collect(Collectors.joining(", ")) + ", " + ChronoUnit.DAYS.between(first, last) + " days apart";
  }
}
