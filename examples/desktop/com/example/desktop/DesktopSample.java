package com.example.desktop;

import java.awt.BorderLayout;
import java.awt.Graphics;
import java.io.IOException;
import java.lang.management.ManagementFactory;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.concurrent.atomic.AtomicBoolean;
import javax.swing.JFrame;
import javax.swing.JMenu;
import javax.swing.JMenuBar;
import javax.swing.JMenuItem;
import javax.swing.JPanel;
import javax.swing.JScrollPane;
import javax.swing.JSplitPane;
import javax.swing.JTable;
import javax.swing.JTextArea;
import javax.swing.SwingUtilities;
import javax.swing.UIManager;
import javax.swing.table.AbstractTableModel;

/**
 * A small desktop application: a frame with a menu bar, a table of a few
 * hundred rows and a text area, under the cross-platform look and feel. When
 * the system property desktop.firstPaintFile names a file, the time of the
 * frame's first paint is written there once (for the start-up benchmark):
 * "paint EPOCH_MILLIS UPTIME_MILLIS". With desktop.exitAfterPaint=true the
 * application ends once that paint is done.
 */
public final class DesktopSample {
    private static final int ROWS = 400;
    private static final AtomicBoolean painted = new AtomicBoolean();

    private DesktopSample() {}

    public static void main(String[] args) throws Exception {
        UIManager.setLookAndFeel(UIManager.getCrossPlatformLookAndFeelClassName());
        SwingUtilities.invokeLater(DesktopSample::show);
    }

    private static void show() {
        JFrame frame = new JFrame("Desktop sample");
        frame.setDefaultCloseOperation(JFrame.EXIT_ON_CLOSE);
        frame.setJMenuBar(menuBar());
        JTable table = new JTable(new OrdersModel());
        JTextArea notes = new JTextArea("Notes on the selected order.\n", 8, 40);
        JSplitPane split = new JSplitPane(JSplitPane.VERTICAL_SPLIT, new JScrollPane(table), new JScrollPane(notes));
        split.setResizeWeight(0.75);
        JPanel content = new JPanel(new BorderLayout()) {
            @Override
            protected void paintChildren(Graphics g) {
                super.paintChildren(g);
                if (painted.compareAndSet(false, true)) {
                    // After this paint has reached the screen, not merely the back buffer.
                    SwingUtilities.invokeLater(DesktopSample::firstPaintDone);
                }
            }
        };
        content.add(split, BorderLayout.CENTER);
        frame.setContentPane(content);
        frame.setSize(800, 600);
        frame.setLocationRelativeTo(null);
        frame.setVisible(true);
    }

    private static JMenuBar menuBar() {
        JMenuBar bar = new JMenuBar();
        JMenu file = new JMenu("File");
        JMenuItem quit = new JMenuItem("Quit");
        quit.addActionListener(event -> System.exit(0));
        file.add(quit);
        JMenu help = new JMenu("Help");
        help.add(new JMenuItem("About"));
        bar.add(file);
        bar.add(help);
        return bar;
    }

    private static void firstPaintDone() {
        java.awt.Toolkit.getDefaultToolkit().sync();
        String target = System.getProperty("desktop.firstPaintFile");
        if (target != null) {
            String line = "paint " + System.currentTimeMillis() + " "
                    + ManagementFactory.getRuntimeMXBean().getUptime() + "\n";
            try {
                Path path = Paths.get(target);
                Path partial = Paths.get(target + ".part");
                Files.write(partial, line.getBytes(StandardCharsets.US_ASCII));
                // Renamed into place, so that a reader never sees half a line.
                Files.move(partial, path, java.nio.file.StandardCopyOption.ATOMIC_MOVE);
            } catch (IOException e) {
                System.err.println("cannot write " + target + ": " + e);
            }
        }
        if (Boolean.getBoolean("desktop.exitAfterPaint")) {
            System.exit(0);
        }
    }

    private static final class OrdersModel extends AbstractTableModel {
        private static final String[] COLUMNS = {"Order", "Customer", "Item", "Quantity", "Price"};
        private static final String[] ITEMS = {"Bolts", "Nuts", "Washers", "Screws", "Rivets", "Hinges"};

        @Override
        public int getRowCount() {
            return ROWS;
        }

        @Override
        public int getColumnCount() {
            return COLUMNS.length;
        }

        @Override
        public String getColumnName(int column) {
            return COLUMNS[column];
        }

        @Override
        public Object getValueAt(int row, int column) {
            switch (column) {
                case 0: return 10000 + row;
                case 1: return "Customer " + (row * 7 % 97);
                case 2: return ITEMS[row % ITEMS.length];
                case 3: return 1 + row * 13 % 50;
                default: return String.format("%.2f", (row * 37 % 1000) / 10.0);
            }
        }
    }
}
